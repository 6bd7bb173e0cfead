// The console's events as one stream, and its current state in one place.
// Every row the readings log writes is an event here first, whether or not a
// log file is set; the log and any other outlet subscribe to happened(). The state
// outlets show (reading, stored set-point, mode, link, alarm, quiet board) is
// readable at any time and announced by stateChanged() when any part changes.
#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

#include <optional>

enum class AlarmLevel { Normal, Active, Acknowledged };

struct ConsoleState {
    QString reading; // as the display shows it
    QString setPoint; // as stored
    bool setPointMode = false;
    bool linkUp = false;
    AlarmLevel alarm = AlarmLevel::Normal; // the on-delay's wait is Normal
    bool quiet = false; // the quiet-board report stands

    bool operator==(const ConsoleState&) const = default;
};

// One event: time, name, reading, set-point in force, alarm flag, mode.
struct ConsoleEvent {
    QDateTime time; // in UTC as recorded; outlets show it as local time
    // "reading", "setpoint", "connected", "reconnected", "disconnected", "lost",
    // "alarm", "acknowledged", "cleared", "quiet", "resumed"
    QString event;
    QString reading;
    QString setPoint;
    std::optional<int> alarm; // AlarmOn: none before the first evaluated line
    QString mode; // "measuring" or "setpoint"
    QString detail = {}; // what a remote command asked and how it ended
    std::optional<qint64> count = {}; // how many events a full queue dropped
};

enum class LinkChange;

// What the event stream calls a link change: "connected", "reconnected",
// "disconnected" or "lost".
QString linkEventName(LinkChange change);

class ConsoleEvents : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    const ConsoleState& state() const { return m_state; }
    // Takes the console's state; announces it when it differs.
    void update(const ConsoleState& state);
    // Emits `name` with the current state and `setPoint` (the value just saved
    // for "setpoint", else the stored one), the alarm flag `alarmOn` and, for a
    // remote command, what was asked and how it ended.
    void record(
        const QString& name, const QString& setPoint, std::optional<int> alarmOn, const QString& detail = {});

signals:
    void happened(const ConsoleEvent& event);
    void stateChanged(const ConsoleState& state);

private:
    ConsoleState m_state;
};
