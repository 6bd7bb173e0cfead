#include "labmessages.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace lab {

namespace {

    QByteArray alarmWord(AlarmLevel level)
    {
        switch (level) {
        case AlarmLevel::Active:
            return "active";
        case AlarmLevel::Acknowledged:
            return "acknowledged";
        case AlarmLevel::Normal:
            break;
        }
        return "normal";
    }

    QJsonValue textOrNull(const QString& text)
    {
        return text.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(text);
    }

    QString uniquePrefix(const LabSettings& s)
    {
        return QStringLiteral("tuvela_") + s.bench;
    }

    // One entity's config: the common fields, then those of its row.
    struct Entity {
        const char* component;
        const char* object;
        const char* uid; // unique among the bench's entities
        const char* name;
        bool command; // only while remote commands are on
        QJsonObject (*fields)(const LabSettings& s);
    };

    QJsonObject temperature(const LabSettings& s)
    {
        QJsonObject o { { "state_topic", s.base() + "temperature" }, { "device_class", "temperature" },
            { "state_class", "measurement" }, { "unit_of_measurement", "°C" } };
        if (s.stale > 0)
            o.insert("expire_after", 3 * s.stale);
        return o;
    }

    QJsonObject setpoint(const LabSettings& s)
    {
        return { { "state_topic", s.base() + "setpoint" }, { "device_class", "temperature" },
            { "unit_of_measurement", "°C" } };
    }

    QJsonObject alarm(const LabSettings& s)
    {
        return { { "state_topic", s.base() + "alarm" }, { "device_class", "enum" },
            { "options", QJsonArray { "normal", "active", "acknowledged" } } };
    }

    QJsonObject overtemp(const LabSettings& s)
    {
        return { { "state_topic", s.base() + "alarm" }, { "device_class", "heat" },
            { "value_template", "{{ 'OFF' if value == 'normal' else 'ON' }}" } };
    }

    QJsonObject quiet(const LabSettings& s)
    {
        return { { "state_topic", s.base() + "quiet" }, { "device_class", "problem" } };
    }

    QJsonObject link(const LabSettings& s)
    {
        return { { "state_topic", s.base() + "link" }, { "device_class", "connectivity" },
            { "payload_on", "connected" }, { "payload_off", "disconnected" } };
    }

    QJsonObject acknowledge(const LabSettings& s)
    {
        return { { "command_topic", commandTopic(s, "acknowledge") } };
    }

    QJsonObject setpointNumber(const LabSettings& s)
    {
        return { { "command_topic", commandTopic(s, "setpoint") }, { "state_topic", s.base() + "setpoint" },
            { "min", s.setMin }, { "max", s.setMax }, { "step", 1 }, { "mode", "box" },
            { "unit_of_measurement", "°C" } };
    }

    const Entity kEntities[] {
        { "sensor", "temperature", "temperature", "Temperature", false, temperature },
        { "sensor", "setpoint", "setpoint", "Set-point", false, setpoint },
        { "sensor", "alarm", "alarm", "Alarm", false, alarm },
        { "binary_sensor", "overtemp", "overtemp", "Over-temperature", false, overtemp },
        { "binary_sensor", "quiet", "quiet", "Quiet board", false, quiet },
        { "binary_sensor", "link", "link", "Serial link", false, link },
        { "button", "acknowledge", "acknowledge", "Acknowledge alarm", true, acknowledge },
        // The number shares its object name with the set-point sensor, not its id.
        { "number", "setpoint", "setpoint_target", "Set-point target", true, setpointNumber },
    };

} // namespace

QString statusTopic(const LabSettings& s)
{
    return s.base() + QStringLiteral("status");
}

QString eventsTopic(const LabSettings& s)
{
    return s.base() + QStringLiteral("events");
}

QString commandTopic(const LabSettings& s, const QString& command)
{
    return s.base() + QStringLiteral("cmd/") + command;
}

QString discoveryStatusTopic(const LabSettings& s)
{
    return s.discovery + QStringLiteral("/status");
}

std::vector<LabMessage> stateMessages(const LabSettings& s, const ConsoleState& state)
{
    return {
        { s.base() + "setpoint", state.setPoint.toUtf8() },
        { s.base() + "alarm", alarmWord(state.alarm) },
        { s.base() + "quiet", state.quiet ? "ON" : "OFF" },
        { s.base() + "link", state.linkUp ? "connected" : "disconnected" },
    };
}

LabMessage temperatureMessage(const LabSettings& s, const QString& reading)
{
    return { s.base() + "temperature", reading.toUtf8() };
}

QByteArray eventJson(const ConsoleEvent& e)
{
    const QDateTime local = e.time.toLocalTime();
    QJsonObject o { { "time", local.toOffsetFromUtc(local.offsetFromUtc()).toString(Qt::ISODateWithMs) },
        { "event", e.event }, { "reading", textOrNull(e.reading) }, { "setpoint", textOrNull(e.setPoint) },
        { "alarm", e.alarm ? QJsonValue(*e.alarm) : QJsonValue(QJsonValue::Null) },
        { "mode", textOrNull(e.mode) } };
    if (!e.detail.isEmpty())
        o.insert("detail", e.detail);
    if (e.count)
        o.insert("count", *e.count);
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

ConsoleEvent droppedEvent(const QDateTime& time, qint64 count)
{
    ConsoleEvent e { time, QStringLiteral("dropped"), {}, {}, std::nullopt, {} };
    e.count = count;
    return e;
}

std::vector<LabMessage> discoveryMessages(const LabSettings& s, const QString& version)
{
    if (s.discovery.isEmpty())
        return {};
    const QString id = uniquePrefix(s);
    const QJsonObject device { { "identifiers", QJsonArray { id } }, { "name", s.bench },
        { "model", "tempconsole" }, { "manufacturer", "tuvela" }, { "sw_version", version } };
    std::vector<LabMessage> out;
    for (const Entity& e : kEntities) {
        const QString topic
            = QStringLiteral("%1/%2/%3/%4/config").arg(s.discovery, e.component, id, e.object);
        if (e.command && !s.commands) {
            out.push_back({ topic, {} });
            continue;
        }
        QJsonObject config = e.fields(s);
        config.insert("name", e.name);
        config.insert("unique_id", id + u'_' + QLatin1String(e.uid));
        config.insert("device", device);
        config.insert("availability_topic", statusTopic(s));
        out.push_back({ topic, QJsonDocument(config).toJson(QJsonDocument::Compact) });
    }
    return out;
}

} // namespace lab
