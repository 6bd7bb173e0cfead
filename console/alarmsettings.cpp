#include "alarmsettings.h"

#include "inifile.h"
#include "sayonce.h"

#include <array>
#include <cmath>

namespace {

// A year: longer times are surely a slip of the keyboard.
constexpr double kMaxMs = 365.0 * 24 * 3600 * 1000;

std::optional<decimal::Number> nonNegative(const QString& text)
{
    const std::optional<decimal::Number> n = decimal::parse(text);
    if (!n || n->negative)
        return std::nullopt;
    return n;
}

bool duration(const QString& text, double msPerUnit, std::int64_t& field)
{
    if (!nonNegative(text))
        return false;
    const double ms = std::round(text.trimmed().toDouble() * msPerUnit);
    if (!std::isfinite(ms) || ms > kMaxMs)
        return false;
    field = std::int64_t(ms);
    return true;
}

// Each key's reading of its text into the settings; false: unreadable.
using Apply = bool (*)(AlarmSettings& s, const QString& text, double msPerUnit);

bool setPoint(AlarmSettings& s, const QString& text, double)
{
    s.setPoint = text;
    return true;
}
bool resound(AlarmSettings& s, const QString& text, double unit)
{
    return duration(text, unit, s.timing.resoundMs);
}
bool delay(AlarmSettings& s, const QString& text, double unit)
{
    return duration(text, unit, s.timing.delayMs);
}
bool stale(AlarmSettings& s, const QString& text, double unit)
{
    if (!duration(text, unit, s.staleMs))
        return false;
    s.staleText = text.trimmed();
    return true;
}
bool deadBand(AlarmSettings& s, const QString& text, double)
{
    const std::optional<decimal::Number> n = nonNegative(text);
    if (!n)
        return false;
    s.deadBand = *n;
    s.deadBandText = text.trimmed();
    return true;
}

struct Key {
    const char* name;
    double msPerUnit; // of a duration; 0 for other values
    Apply apply;
    bool keepsBlank; // a blank value is the value itself, not the default
};

constexpr std::array kKeys {
    Key { "SETTEMP", 0, setPoint, true },
    Key { "RESOUND", 60000.0, resound, false },
    Key { "DEADBAND", 0, deadBand, false },
    Key { "ALARMDELAY", 1000.0, delay, false },
    Key { "STALE", 1000.0, stale, false },
};

QStringList keyNames()
{
    QStringList names;
    for (const Key& k : kKeys)
        names << QString::fromLatin1(k.name);
    return names;
}

} // namespace

const QStringList kAlarmKeys = keyNames();

AlarmSettings alarmSettingsFrom(const QStringList& values, QStringList* unreadable)
{
    AlarmSettings s;
    for (size_t i = 0; i < kKeys.size(); ++i) {
        const Key& key = kKeys[i];
        const QString text = values.value(qsizetype(i));
        if (!key.keepsBlank && text.trimmed().isEmpty())
            continue;
        if (!key.apply(s, text, key.msPerUnit) && unreadable)
            unreadable->append(QString::fromLatin1(key.name) + u'=' + text);
    }
    return s;
}

AlarmSettingsSource::AlarmSettingsSource(const QString& iniPath)
    : m_iniPath(iniPath)
{
}

const AlarmSettings& AlarmSettingsSource::read()
{
    const QStringList values = GetFromINI(QStringLiteral("TEMP"), kAlarmKeys, m_iniPath);
    if (values == m_values)
        return m_settings;
    m_values = values;
    QStringList unreadable;
    m_settings = alarmSettingsFrom(values, &unreadable);
    for (const QString& entry : std::as_const(unreadable))
        sayOnce(QStringLiteral("设置文件 %1 中 [TEMP] %2 无法识别，按默认值处理").arg(m_iniPath, entry));
    return m_settings;
}
