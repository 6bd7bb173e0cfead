// What the console says on the broker: the bench's state topics, one JSON
// object per event, and the discovery configs a dashboard builds itself from.
// Pure text handling; the link decides when each goes out.
#pragma once

#include "consoleevents.h"
#include "labsettings.h"

#include <QByteArray>
#include <QString>

#include <vector>

struct LabMessage {
    QString topic;
    QByteArray payload;
    bool retain = true;

    bool operator==(const LabMessage&) const = default;
};

namespace lab {

QString statusTopic(const LabSettings& s);
QString eventsTopic(const LabSettings& s);
QString commandTopic(const LabSettings& s, const QString& command);
QString discoveryStatusTopic(const LabSettings& s);

// The retained state topics for `state`: setpoint, alarm, quiet and link, in
// that order.
std::vector<LabMessage> stateMessages(const LabSettings& s, const ConsoleState& state);
// The temperature topic, for a reading line in measuring mode (before the
// first one there is no temperature to tell).
LabMessage temperatureMessage(const LabSettings& s, const QString& reading);

// The event as one JSON object: the log's fields (an empty one null, the
// alarm a number), the time with its UTC offset, and `detail` or `count`
// when the event has one.
QByteArray eventJson(const ConsoleEvent& event);
// The event saying `count` events were lost to a full queue.
ConsoleEvent droppedEvent(const QDateTime& time, qint64 count);

// Every discovery config (retained), or nothing when discovery is off. With
// commands off the button's and number's configs are empty: removed.
std::vector<LabMessage> discoveryMessages(const LabSettings& s, const QString& version);

} // namespace lab
