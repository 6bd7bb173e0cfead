#include "labsettings.h"

#include "iniformat.h"

#include <QDir>
#include <QMap>
#include <QUrl>

#include <functional>

namespace {

const QString kSection = QStringLiteral("MQTT");

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

namespace {

// The keys the section holds, by name.
using Values = QMap<QString, QString>;

QString get(const Values& v, const char* key)
{
    return v.value(QLatin1String(key));
}

// Each reader below fills its part of `s` and names the key it cannot read
// ("" when all is well).

QString readIdentity(const Values& v, const QString& folder, const QString& hostName, LabSettings& s)
{
    s.user = get(v, "USER");
    s.password = get(v, "PASSWORD");
    s.caFile = inFolder(get(v, "CAFILE"), folder);
    s.certFile = inFolder(get(v, "CERTFILE"), folder);
    s.keyFile = inFolder(get(v, "KEYFILE"), folder);
    if (s.certFile.isEmpty() != s.keyFile.isEmpty())
        return s.certFile.isEmpty() ? QStringLiteral("CERTFILE") : QStringLiteral("KEYFILE");
    if (!s.password.isEmpty() && s.user.isEmpty())
        return QStringLiteral("USER");
    s.bench = labBenchName(!get(v, "BENCH").isEmpty() ? get(v, "BENCH")
            : !s.user.isEmpty()                       ? s.user
                                                      : hostName);
    return s.bench.isEmpty() ? QStringLiteral("BENCH") : QString();
}

QString readTopics(const Values& v, LabSettings& s)
{
    s.topic = v.value(QStringLiteral("TOPIC"), s.topic);
    if (!plainLevel(s.topic))
        return QStringLiteral("TOPIC");
    s.discovery = v.value(QStringLiteral("DISCOVERY"), s.discovery);
    return !s.discovery.isEmpty() && !plainLevel(s.discovery) ? QStringLiteral("DISCOVERY") : QString();
}

QString readNumbers(const Values& v, LabSettings& s)
{
    struct Number {
        const char* key;
        int min, max;
        std::function<void(int)> set;
    };
    const Number numbers[] {
        { "KEEPALIVE", 5, 65535, [&s](int n) { s.keepAlive = n; } },
        { "COMMANDS", 0, 1, [&s](int n) { s.commands = n == 1; } },
        { "SETMIN", 0, 99, [&s](int n) { s.setMin = n; } },
        { "SETMAX", 0, 99, [&s](int n) { s.setMax = n; } },
    };
    for (const Number& n : numbers) {
        const QString key = QLatin1String(n.key);
        if (!v.contains(key))
            continue;
        const std::optional<int> value = wholeNumber(v[key], n.min, n.max);
        if (!value)
            return key;
        n.set(*value);
    }
    return s.setMin > s.setMax ? QStringLiteral("SETMIN") : QString();
}

} // namespace

LabConfig readLabSettings(
    const QByteArray& ini, const QString& commandLineUrl, const QString& iniFolder, const QString& hostName)
{
    const std::vector<std::optional<QString>> found = ini::lookup(ini, kSection, kKeys);
    Values v;
    for (qsizetype i = 0; i < kKeys.size(); ++i) {
        if (found[size_t(i)])
            v.insert(kKeys[i], *found[size_t(i)]);
    }
    LabConfig config;
    config.configured = !commandLineUrl.isEmpty() || !v.isEmpty();
    if (!config.configured)
        return config;
    LabSettings s;
    QString refused;
    if (!readUrl(commandLineUrl.isEmpty() ? get(v, "URL") : commandLineUrl, s))
        refused = commandLineUrl.isEmpty() ? QStringLiteral("URL") : QStringLiteral("--mqtt");
    if (refused.isEmpty())
        refused = readIdentity(v, iniFolder, hostName, s);
    if (refused.isEmpty())
        refused = readTopics(v, s);
    if (refused.isEmpty())
        refused = readNumbers(v, s);
    if (refused.isEmpty())
        config.settings = s;
    else
        config.error = QStringLiteral("[MQTT] ") + refused;
    return config;
}
