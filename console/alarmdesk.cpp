#include "alarmdesk.h"

#include "desktopnotification.h"
#include "lamp.h"
#include "linkprotocol.h"
#include "sayonce.h"
#include "statusline.h"

#include <QApplication>
#include <QWidget>

#include <array>

namespace {

const QString kQuietSummary = QStringLiteral("温度数据中断");
const QString kAcknowledged = QStringLiteral("已消音");
const QString kNotAcknowledged = QStringLiteral("未消音：点击此灯或按 Esc 键消音");
// Standing faults of the status line.
const QString kQuietFault = QStringLiteral("quiet");
const QString kSoundFault = QStringLiteral("sound");

// What the event stream calls each alarm event.
struct EventName {
    AlarmState::Event event;
    const char* name;
};

constexpr std::array kEventNames {
    EventName { AlarmState::Event::Raised, "alarm" },
    EventName { AlarmState::Event::Acknowledged, "acknowledged" },
    EventName { AlarmState::Event::Cleared, "cleared" },
};

} // namespace

AlarmDesk::AlarmDesk(QWidget& window, const QString& title, Lamp& lamp, StatusLine& status,
    const QString& soundPath, const QString& iniPath)
    : m_window(window)
    , m_title(title)
    , m_lamp(lamp)
    , m_status(status)
    , m_settings(iniPath)
    , m_sound(soundPath)
{
    m_clock.start();
    connect(&m_sound, &AlarmPlayer::faultChanged, this, &AlarmDesk::showSoundFault);
    showSoundFault(m_sound.fault());
}

AlarmDesk::~AlarmDesk() = default;

bool AlarmDesk::line(const QString& reading, bool measuring)
{
    m_reading = reading;
    if (m_quiet.line(now()) == QuietWatch::Event::Resumed) {
        endQuiet();
        emit happened(QStringLiteral("resumed"));
    }
    m_evaluated = true;
    const AlarmState::Event event = measuring ? evaluate(reading) : m_alarm.reset();
    if (!m_alarm.active())
        m_sound.stop();
    changed(event);
    return m_alarm.active();
}

AlarmState::Event AlarmDesk::evaluate(const QString& reading)
{
    const AlarmSettings& s = settings();
    const bool atOrAbove = readingAtOrAbove(reading, s.setPoint);
    const bool clears
        = s.deadBandText.isEmpty() ? !atOrAbove : readingBelowClearLevel(reading, s.setPoint, s.deadBand);
    return m_alarm.reading(atOrAbove, clears, now(), s.timing);
}

void AlarmDesk::acknowledge()
{
    changed(m_alarm.acknowledge(now()));
}

void AlarmDesk::tick()
{
    changed(m_alarm.tick(now(), settings().timing));
    m_sound.tick(m_alarm.sounding());
}

// Set-point mode is not watched: the board pauses its readings there.
void AlarmDesk::look(bool watched)
{
    if (!watched) {
        endQuiet();
        m_quiet.restart(now());
        return;
    }
    if (m_quiet.check(now(), settings().staleMs) != QuietWatch::Event::Quiet)
        return;
    const QString status = QStringLiteral("%1 秒未收到温度数据！").arg(settings().staleText);
    m_status.raise(kQuietFault, status);
    emit happened(QStringLiteral("quiet"));
    const QString body
        = status + QStringLiteral("最后读数 %1，报警设定温度 %2").arg(m_reading, settings().setPoint);
    notification(m_quietNote).show({ kQuietSummary, body, true, QString() });
}

void AlarmDesk::linkChanged(bool ended)
{
    m_quiet.restart(now());
    if (!ended)
        return;
    m_sound.stop();
    if (m_alarm.reset() == AlarmState::Event::Cleared) {
        m_window.setWindowTitle(m_title);
        showHint();
    }
    if (m_alarmNote)
        m_alarmNote->close();
    endQuiet();
}

std::optional<int> AlarmDesk::alarmOn() const
{
    if (!m_evaluated)
        return std::nullopt;
    return m_alarm.active() ? 1 : 0;
}

AlarmLevel AlarmDesk::level() const
{
    if (!m_alarm.active())
        return AlarmLevel::Normal;
    return m_alarm.acknowledged() ? AlarmLevel::Acknowledged : AlarmLevel::Active;
}

// The notification follows every change and, while the alarm lasts, every
// line (DesktopNotification keeps that to one update a second).
void AlarmDesk::changed(AlarmState::Event event)
{
    using Event = AlarmState::Event;
    for (const EventName& e : kEventNames) {
        if (e.event == event)
            emit happened(QString::fromLatin1(e.name));
    }
    if (event == Event::Acknowledged)
        m_sound.stop();
    if (event == Event::Raised) {
        m_window.setWindowTitle(kAlarmTitle + QStringLiteral(" - ") + m_title);
        QApplication::alert(&m_window);
    } else if (event == Event::Cleared) {
        m_window.setWindowTitle(m_title);
    }
    if (event != Event::None)
        showHint();
    if (!m_alarm.active()) {
        if (m_alarmNote)
            m_alarmNote->close();
        return;
    }
    QString body = QStringLiteral("当前温度 %1，报警设定温度 %2").arg(m_reading, settings().setPoint);
    if (m_alarm.acknowledged())
        body += QStringLiteral("（%1）").arg(kAcknowledged);
    const DesktopNotification::Content content { kAlarmTitle, body, true, QStringLiteral("消音") };
    if (event == Event::Raised)
        notification(m_alarmNote).show(content);
    else if (m_alarmNote)
        m_alarmNote->update(content);
}

void AlarmDesk::showHint()
{
    const QString hint = !m_alarm.active() ? QString()
        : m_alarm.acknowledged()           ? kAcknowledged
                                           : kNotAcknowledged;
    m_lamp.setToolTip(hint);
    m_lamp.setAccessibleDescription(hint);
}

// A buzzer that cannot sound stands in the status line until it plays again,
// and is named on standard error each time that starts.
void AlarmDesk::showSoundFault(const QString& fault)
{
    if (fault.isEmpty()) {
        m_status.clear(kSoundFault);
        return;
    }
    const QString message = QStringLiteral("报警音无法播放：") + fault;
    if (!m_status.standing(kSoundFault))
        say(message);
    m_status.raise(kSoundFault, message);
}

// The quiet board is over: its report and notification go.
void AlarmDesk::endQuiet()
{
    if (m_quietNote)
        m_quietNote->close();
    m_status.clear(kQuietFault);
}

DesktopNotification& AlarmDesk::notification(std::unique_ptr<DesktopNotification>& slot)
{
    if (!slot) {
        slot = std::make_unique<DesktopNotification>(QCoreApplication::applicationName());
        if (&slot == &m_alarmNote)
            connect(slot.get(), &DesktopNotification::activated, this, &AlarmDesk::acknowledge);
    }
    return *slot;
}
