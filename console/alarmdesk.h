// The over-temperature alarm and the quiet-board watch, with everything that
// shows them: the buzzer, the "超温" lamp's hint, the window title and the
// desktop's attention, the alarm and quiet-board notifications, and their
// standing faults in the status line. The window reports lines, ticks, looks
// and link changes; the desk answers with the alarm flag and tells each alarm
// event (happened()) for the console's event stream. The alarm's settings are
// read here too, once per line.
#pragma once

#include "alarmplayer.h"
#include "alarmsettings.h"
#include "alarmstate.h"
#include "consoleevents.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <memory>
#include <optional>

class DesktopNotification;
class Lamp;
class QWidget;
class StatusLine;

class AlarmDesk : public QObject {
    Q_OBJECT
public:
    static inline const QString kAlarmTitle = QStringLiteral("超温报警");

    // `window` carries `title`, with the alarm's title in front while it stands.
    AlarmDesk(QWidget& window, const QString& title, Lamp& lamp, StatusLine& status, const QString& soundPath,
        const QString& iniPath);
    ~AlarmDesk() override;

    // Reads the set-point and the alarm's keys from the settings file.
    const AlarmSettings& readSettings() { return m_settings.read(); }
    const AlarmSettings& settings() const { return m_settings.current(); }

    // A complete line with `reading`, tested against the set-point when
    // `measuring` (set-point mode is no alarm). Returns whether the alarm stands.
    bool line(const QString& reading, bool measuring);
    // The operator silenced it (lamp, caption, Escape, notification).
    void acknowledge();
    // The buzzer tick.
    void tick();
    // The quiet-board look: `watched` while connected and measuring.
    void look(bool watched);
    // The link changed; `ended`: disconnected or lost, which ends the alarm
    // and the quiet board without an event of their own.
    void linkChanged(bool ended);

    // AlarmOn: 0 or 1 once a line was evaluated, nothing before.
    std::optional<int> alarmOn() const;
    AlarmLevel level() const;
    bool quiet() const { return m_quiet.quiet(); }
    const AlarmState& alarm() const { return m_alarm; }
    const AlarmPlayer& sound() const { return m_sound; }

signals:
    // "alarm", "acknowledged", "cleared", "quiet" or "resumed".
    void happened(const QString& event);

private:
    AlarmState::Event evaluate(const QString& reading);
    void changed(AlarmState::Event event);
    void showHint();
    void showSoundFault(const QString& fault);
    void endQuiet();
    DesktopNotification& notification(std::unique_ptr<DesktopNotification>& slot);
    std::int64_t now() const { return m_clock.elapsed(); }

    QWidget& m_window;
    QString m_title;
    Lamp& m_lamp;
    StatusLine& m_status;
    AlarmSettingsSource m_settings;
    AlarmPlayer m_sound;
    AlarmState m_alarm;
    QuietWatch m_quiet;
    bool m_evaluated = false;
    QString m_reading; // the last line's
    QElapsedTimer m_clock;
    std::unique_ptr<DesktopNotification> m_alarmNote; // created when first needed
    std::unique_ptr<DesktopNotification> m_quietNote;
};
