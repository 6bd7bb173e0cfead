#include "labsettings.h"

#include "iniformat.h"

#include <QDir>
#include <QUrl>

#include <algorithm>
#include <functional>

namespace {

const QString kSection = QStringLiteral("MQTT");

enum Key {
    Url,
    User,
    Password,
    CaFile,
    CertFile,
    KeyFile,
    Bench,
    Topic,
    Discovery,
    KeepAlive,
    Commands,
    SetMin,
    SetMax
};

const QStringList kKeys { "URL", "USER", "PASSWORD", "CAFILE", "CERTFILE", "KEYFILE", "BENCH", "TOPIC",
    "DISCOVERY", "KEEPALIVE", "COMMANDS", "SETMIN", "SETMAX" };

std::optional<int> wholeNumber(const QString& text, int min, int max)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    if (!ok || n < min || n > max)
        return std::nullopt;
    return n;
}

// Reads mqtt://HOST[:PORT] or mqtts://HOST[:PORT]; false when it is neither.
bool readUrl(const QString& text, LabSettings& s)
{
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != u"mqtt" && scheme != u"mqtts") || url.host().isEmpty()
        || !url.userInfo().isEmpty() || (!url.path().isEmpty() && url.path() != u"/") || url.hasQuery()
        || url.hasFragment())
        return false;
    s.tls = scheme == u"mqtts";
    s.host = url.host();
    s.port = url.port(s.tls ? 8883 : 1883);
    return s.port > 0;
}

// A topic level of our own: no wildcards, no separators, not empty.
bool plainLevel(const QString& text)
{
    return !text.isEmpty() && !text.contains(u'/') && !text.contains(u'+') && !text.contains(u'#')
        && !text.contains(QChar(0));
}

QString inFolder(const QString& name, const QString& folder)
{
    if (name.isEmpty())
        return name;
    return QDir::isAbsolutePath(name) ? name : QDir(folder).filePath(name);
}

} // namespace

QString labBenchName(const QString& raw)
{
    QString name = raw;
    for (QChar& c : name) {
        const bool plain = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9')
            || c == u'_' || c == u'-';
        if (!plain)
            c = u'_';
    }
    return name;
}

LabConfig readLabSettings(
    const QByteArray& ini, const QString& commandLineUrl, const QString& iniFolder, const QString& hostName)
{
    const std::vector<std::optional<QString>> v = ini::lookup(ini, kSection, kKeys);
    const bool section = std::any_of(v.begin(), v.end(), [](const auto& value) { return value.has_value(); });
    LabConfig config;
    config.configured = section || !commandLineUrl.isEmpty();
    if (!config.configured)
        return config;
    const auto get = [&v](Key key) { return v[size_t(key)].value_or(QString()); };
    const auto refuse = [&config](const QString& key) {
        config.error = QStringLiteral("[MQTT] %1").arg(key);
        return config;
    };
    LabSettings s;
    if (!readUrl(commandLineUrl.isEmpty() ? get(Url) : commandLineUrl, s))
        return refuse(commandLineUrl.isEmpty() ? QStringLiteral("URL") : QStringLiteral("--mqtt"));
    s.user = get(User);
    s.password = get(Password);
    s.caFile = inFolder(get(CaFile), iniFolder);
    s.certFile = inFolder(get(CertFile), iniFolder);
    s.keyFile = inFolder(get(KeyFile), iniFolder);
    if (s.certFile.isEmpty() != s.keyFile.isEmpty())
        return refuse(s.certFile.isEmpty() ? QStringLiteral("CERTFILE") : QStringLiteral("KEYFILE"));
    if (!s.password.isEmpty() && s.user.isEmpty())
        return refuse(QStringLiteral("USER"));
    const QString bench = !get(Bench).isEmpty() ? get(Bench) : !s.user.isEmpty() ? s.user : hostName;
    s.bench = labBenchName(bench);
    if (s.bench.isEmpty())
        return refuse(QStringLiteral("BENCH"));
    if (v[Topic])
        s.topic = *v[Topic];
    if (!plainLevel(s.topic))
        return refuse(QStringLiteral("TOPIC"));
    if (v[Discovery])
        s.discovery = *v[Discovery];
    if (!s.discovery.isEmpty() && !plainLevel(s.discovery))
        return refuse(QStringLiteral("DISCOVERY"));
    struct Number {
        Key key;
        int min, max;
        std::function<void(int)> set;
    };
    const Number numbers[] {
        { KeepAlive, 5, 65535, [&s](int n) { s.keepAlive = n; } },
        { Commands, 0, 1, [&s](int n) { s.commands = n == 1; } },
        { SetMin, 0, 99, [&s](int n) { s.setMin = n; } },
        { SetMax, 0, 99, [&s](int n) { s.setMax = n; } },
    };
    for (const Number& n : numbers) {
        if (!v[n.key])
            continue;
        const std::optional<int> value = wholeNumber(*v[n.key], n.min, n.max);
        if (!value)
            return refuse(kKeys[n.key]);
        n.set(*value);
    }
    if (s.setMin > s.setMax)
        return refuse(QStringLiteral("SETMIN"));
    config.settings = s;
    return config;
}
