#include "frmmain.h"

#include "alarmplayer.h"
#include "alarmsound.h"
#include "cjkfont.h"
#include "comport.h"
#include "comreceiver.h"
#include "connectionpanel.h"
#include "desktopnotification.h"
#include "inifile.h"
#include "lamp.h"
#include "linkprotocol.h"
#include "namedwidgets.h"
#include "readingslog.h"
#include "segmentdisplay.h"
#include "uchistogram.h"
#include "units.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

namespace {

const QString kTitle = QStringLiteral("温度控制台");
const QString kSection = QStringLiteral("TEMP");
const QString kKey = QStringLiteral("SETTEMP");
const QString kLinkSetPoint = QStringLiteral("OK");
const QString kLinkMeasuring = QStringLiteral("EXIT");

const QString kLogKey = QStringLiteral("LOG");
const QString kAppName = QStringLiteral("tempconsole");
const QString kQuietSummary = QStringLiteral("温度数据中断");
const QString kAcknowledged = QStringLiteral("已消音");
const QString kNotAcknowledged = QStringLiteral("未消音：点击此灯或按 Esc 键消音");
// Standing faults of the status line.
const QString kQuietFault = QStringLiteral("quiet");
const QString kSoundFault = QStringLiteral("sound");

// What the readings log calls each alarm event.
struct AlarmLogEvent {
    AlarmState::Event event;
    const char* name;
};

constexpr std::array kAlarmLogEvents {
    AlarmLogEvent { AlarmState::Event::Raised, "alarm" },
    AlarmLogEvent { AlarmState::Event::Acknowledged, "acknowledged" },
    AlarmLogEvent { AlarmState::Event::Cleared, "cleared" },
};

struct LinkEvent {
    LinkChange change;
    const char* event; // as the readings log names it
};

constexpr std::array kLinkEvents {
    LinkEvent { LinkChange::Connected, "connected" },
    LinkEvent { LinkChange::Reconnected, "reconnected" },
    LinkEvent { LinkChange::Disconnected, "disconnected" },
    LinkEvent { LinkChange::Lost, "lost" },
};

constexpr int kBuzzerMs = 1000;
constexpr int kSamplingMs = 300;

// Text boxes repaint and notify on every set; most received characters leave
// them unchanged.
void setText(QLineEdit* box, const QString& text)
{
    if (box->text() != text)
        box->setText(text);
}

QTimer* makeTimer(const QString& name, int interval, QObject* parent)
{
    auto* timer = new QTimer(parent);
    timer->setObjectName(name);
    timer->setInterval(interval);
    return timer;
}

} // namespace

frmMain::frmMain(const ProgramContext& context, QWidget* parent)
    : frmMain(context, alarmSoundPath(), parent)
{
}

frmMain::frmMain(const ProgramContext& context, const QString& alarmSoundPath, QWidget* parent)
    : QWidget(parent)
    , m_port(new ComPort(context.devices))
    , m_sound(std::make_unique<AlarmPlayer>(alarmSoundPath))
    , m_iniPath(context.settingsPath)
{
    named::window(this, QStringLiteral("frmMain"), kTitle);
    setFont(cjkFont(QStringLiteral("宋体"), 9, false));
    m_c = buildFrmMainControls(this, *m_port);
    m_timer1 = makeTimer(QStringLiteral("Timer1"), kBuzzerMs, this);
    m_timer2 = makeTimer(QStringLiteral("Timer2"), kSamplingMs, this);
    m_quietTimer = makeTimer(QStringLiteral("QuietTimer"), kQuietCheckMs, this);
    m_clock.start();
    resize(units::pixelsFromTwips(9450), units::pixelsFromTwips(9090));

    connect(m_c.panel, &ConnectionPanel::connected, this, &frmMain::panel_Connected);
    connect(m_c.panel, &ConnectionPanel::linkChanged, this, &frmMain::panel_LinkChanged);
    connectReceiver(*m_port, this, [this](const QString& chunk) { receiveChunk(chunk); });
    connect(m_c.Command2, &QPushButton::clicked, this, &frmMain::Command2_Click);
    connect(m_c.Command4, &QPushButton::clicked, this, &frmMain::Command4_Click);
    connect(m_c.Command3, &QPushButton::clicked, this, &frmMain::Command3_Click);
    connect(m_c.Command8, &QPushButton::clicked, this, &frmMain::Command8_Click);
    connect(m_timer1, &QTimer::timeout, this, &frmMain::Timer1_Timer);
    connect(m_timer2, &QTimer::timeout, this, &frmMain::Timer2_Timer);
    connect(m_quietTimer, &QTimer::timeout, this, &frmMain::QuietTimer_Timer);
    connect(m_c.Shape2, &Lamp::clicked, this, &frmMain::acknowledgeAlarm);
    m_c.Label3->installEventFilter(this);
    // Escape silences the alarm whichever control holds the focus.
    auto* silence = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    silence->setContext(Qt::WindowShortcut);
    connect(silence, &QShortcut::activated, this, &frmMain::acknowledgeAlarm);
    connect(m_sound.get(), &AlarmPlayer::faultChanged, this, &frmMain::showSoundFault);
    showSoundFault(m_sound->fault());
    ownPortLast(*this, *m_port);
}

frmMain::~frmMain() = default;

void frmMain::Form_Load()
{
    m_c.txtBarcode->setText(QStringLiteral("0"));
    readSettings();
    m_c.panel->probe();
    m_timer1->start();
    m_timer2->start();
    m_quietTimer->start();
}

void frmMain::readSettings()
{
    static const QStringList keys = QStringList { kKey } + kAlarmKeys;
    const QStringList values = GetFromINI(kSection, keys, m_iniPath);
    m_setTemp = values.front();
    // Read after every line: parsed again only when they changed.
    const QStringList alarmValues = values.mid(1);
    if (alarmValues == m_alarmValues)
        return;
    m_alarmValues = alarmValues;
    QStringList unreadable;
    m_alarmSettings = alarmSettingsFrom(alarmValues, &unreadable);
    for (const QString& entry : std::as_const(unreadable)) {
        if (m_reportedSettings.contains(entry))
            continue;
        m_reportedSettings << entry;
        qWarning("%s",
            qPrintable(
                QStringLiteral("设置文件 %1 中 [TEMP] %2 无法识别，按默认值处理").arg(m_iniPath, entry)));
    }
}

// The command line's file, else the settings key (a relative path there is
// taken from the settings file's folder); none of them: no log.
void frmMain::openReadingsLog(const QString& commandLinePath)
{
    QString path = commandLinePath;
    if (path.isEmpty()) {
        const QString stored = GetFromINI(kSection, kLogKey, m_iniPath);
        if (!stored.isEmpty())
            path = QFileInfo(m_iniPath).dir().absoluteFilePath(stored);
    }
    if (path.isEmpty())
        return;
    m_log = std::make_unique<ReadingsLog>(path);
    connect(m_log.get(), &ReadingsLog::failed, this, [this](const QString& message) {
        m_c.panel->status().raise(QStringLiteral("log"), message);
        qWarning("%s", qPrintable(message));
    });
}

void frmMain::logRow(const QString& event, const QString& setPoint)
{
    if (!m_log)
        return;
    const QString mode
        = m_c.Label1->text() == kCaptionSetPoint ? QStringLiteral("setpoint") : QStringLiteral("measuring");
    m_log->append({ QDateTime::currentDateTime(), event, m_c.txtBarcode->text(), setPoint, m_alarmOn, mode });
}

// After connect the console is in measuring mode.
void frmMain::panel_Connected()
{
    m_c.Text1->setText(kLinkMeasuring);
}

void frmMain::panel_LinkChanged(LinkChange change)
{
    m_framer.clear();
    m_quiet.restart(now());
    if (change == LinkChange::Disconnected || change == LinkChange::Lost) {
        m_sound->stop();
        if (m_alarmOn)
            m_alarmOn = 0;
        endAlarmAndQuiet();
    }
    for (const LinkEvent& e : kLinkEvents) {
        if (e.change == change)
            logRow(QString::fromLatin1(e.event), m_setTemp);
    }
}

void frmMain::receiveChunk(const QString& chunk)
{
    m_rxChunk = chunk;
    SegmentDisplay& mo = *m_c.Mo;
    if (m_rxChunk == QLatin1String("O")) {
        runOrSkip([&] { m_c.Text1->setText(kLinkSetPoint); });
        runOrSkip([&] { m_c.Shape3->setFillColor(Lamp::kLit); });
    }
    if (m_rxChunk == QLatin1String("N")) {
        runOrSkip([&] { m_c.Text1->setText(kLinkMeasuring); });
        runOrSkip([&] { m_c.Shape3->setFillColor(Lamp::kDark); });
        runOrSkip([&] { saveSetPoint(); });
    }
    if (m_c.Text1->text() == kLinkSetPoint) {
        runOrSkip([&] { m_c.Label1->setText(kCaptionSetPoint); });
        runOrSkip([&] { mo.Tag = mo.Value(); });
    }
    runOrSkip([&] { setText(m_c.Text2, mo.Tag); });
    if (m_c.Text1->text() == kLinkMeasuring)
        runOrSkip([&] { m_c.Label1->setText(kCaptionMeasuring); });
    const std::optional<QString> line = m_framer.add(m_rxChunk);
    if (!line)
        return;
    runOrSkip([&] { m_c.txtBarcode->setText(readingOfLine(*line)); });
    runOrSkip([&] { mo.setValue(m_c.txtBarcode->text()); });
    if (m_quiet.line(now()) == QuietWatch::Event::Resumed) {
        m_c.panel->status().clear(kQuietFault);
        logRow(QStringLiteral("resumed"), m_setTemp);
        if (m_quietNote)
            m_quietNote->close();
    }
    runOrSkip([&] { evaluateLine(); });
    runOrSkip([&] { logRow(QStringLiteral("reading"), m_setTemp); });
    runOrSkip([&] { m_c.panel->status().show(kStatusLinked); });
    runOrSkip([&] {
        readSettings();
        setText(m_c.Text2, m_setTemp);
    });
}

// The lamps and the alarm flag after a complete line.
void frmMain::evaluateLine()
{
    const bool measuring = m_c.Label1->text() == kCaptionMeasuring;
    const QString reading = m_c.txtBarcode->text();
    AlarmState::Event event = AlarmState::Event::None;
    if (measuring) {
        const bool atOrAbove = readingAtOrAbove(reading, m_setTemp);
        const bool clears = m_alarmSettings.deadBandText.isEmpty()
            ? !atOrAbove
            : readingBelowClearLevel(reading, m_setTemp, m_alarmSettings.deadBand);
        event = m_alarm.reading(atOrAbove, clears, now(), m_alarmSettings.timing);
    } else {
        event = m_alarm.reset();
    }
    if (m_alarm.active()) {
        m_c.Shape2->setFillColor(Lamp::kLit);
        m_c.Shape1->setFillColor(Lamp::kDark);
        m_alarmOn = 1;
    } else {
        m_c.Shape1->setFillColor(Lamp::kLit);
        m_c.Shape2->setFillColor(Lamp::kDark);
        m_alarmOn = 0;
        m_sound->stop();
    }
    if (m_c.Label1->text() == kCaptionSetPoint) {
        m_c.Shape3->setFillColor(Lamp::kLit);
        m_c.Shape2->setFillColor(Lamp::kDark);
        m_c.Shape1->setFillColor(Lamp::kDark);
    }
    alarmChanged(event);
}

void frmMain::acknowledgeAlarm()
{
    alarmChanged(m_alarm.acknowledge(now()));
}

// The notification follows every change and, while the alarm lasts, every
// reading (DesktopNotification keeps that to one update a second).
void frmMain::alarmChanged(AlarmState::Event event)
{
    using Event = AlarmState::Event;
    for (const AlarmLogEvent& e : kAlarmLogEvents) {
        if (e.event == event)
            logRow(QString::fromLatin1(e.name), m_setTemp);
    }
    if (event == Event::Acknowledged)
        m_sound->stop();
    if (event == Event::Raised) {
        setWindowTitle(kAlarmTitle + QStringLiteral(" - ") + kTitle);
        QApplication::alert(this);
    } else if (event == Event::Cleared) {
        setWindowTitle(kTitle);
    }
    if (event != Event::None)
        showAlarmHint();
    if (!m_alarm.active()) {
        if (m_alarmNote)
            m_alarmNote->close();
        return;
    }
    QString body = QStringLiteral("当前温度 %1，报警设定温度 %2").arg(m_c.txtBarcode->text(), m_setTemp);
    if (m_alarm.acknowledged())
        body += QStringLiteral("（%1）").arg(kAcknowledged);
    const DesktopNotification::Content content { kAlarmTitle, body, true, QStringLiteral("消音") };
    if (event == Event::Raised)
        notification(m_alarmNote).show(content);
    else if (m_alarmNote)
        m_alarmNote->update(content);
}

void frmMain::showAlarmHint()
{
    const QString hint = !m_alarm.active() ? QString()
        : m_alarm.acknowledged()           ? kAcknowledged
                                           : kNotAcknowledged;
    m_c.Shape2->setToolTip(hint);
    m_c.Shape2->setAccessibleDescription(hint);
}

// The link ended: no alarm and no quiet board any more, without a log row of
// their own (the link change has one).
void frmMain::endAlarmAndQuiet()
{
    if (m_alarm.reset() == AlarmState::Event::Cleared) {
        setWindowTitle(kTitle);
        showAlarmHint();
    }
    if (m_alarmNote)
        m_alarmNote->close();
    if (m_quietNote)
        m_quietNote->close();
    m_c.panel->status().clear(kQuietFault);
}

DesktopNotification& frmMain::notification(std::unique_ptr<DesktopNotification>& slot)
{
    if (!slot) {
        slot = std::make_unique<DesktopNotification>(kAppName);
        if (&slot == &m_alarmNote)
            connect(slot.get(), &DesktopNotification::activated, this, &frmMain::acknowledgeAlarm);
    }
    return *slot;
}

bool frmMain::sendCommand(QChar command)
{
    if (!m_port->PortOpen()) {
        QMessageBox::warning(this, kTitle, QStringLiteral("串口未连接，请先点击“连接”连接温度控制器。"));
        return false;
    }
    try {
        m_port->Output(QString(command));
    } catch (const ComError& e) {
        QMessageBox::warning(this, kTitle, QStringLiteral("命令未能发送：%1").arg(e.text));
        return false;
    }
    return true;
}

void frmMain::Command2_Click()
{
    sendCommand(u'4');
}
void frmMain::Command4_Click()
{
    sendCommand(u'3');
}
void frmMain::Command3_Click()
{
    sendCommand(u'5');
}

void frmMain::Command8_Click()
{
    if (!sendCommand(u'6'))
        return;
    saveSetPoint();
}

// An empty Tag (set-point mode never entered) keeps the stored value.
void frmMain::saveSetPoint()
{
    const QString value = m_c.Mo->Tag;
    if (value.isEmpty())
        return;
    QString reason;
    if (WritePrivateProfileString(kSection, kKey, value, m_iniPath, &reason)) {
        m_lastSaveFailure.clear();
        logRow(QStringLiteral("setpoint"), value);
        return;
    }
    reportSaveFailure(reason);
}

// The box opens from the event loop, never inside the receive handler, and the
// same failure is shown only once until a save works again.
void frmMain::reportSaveFailure(const QString& reason)
{
    const QString message = QStringLiteral("报警设定温度未能保存到设置文件 %1：%2").arg(m_iniPath, reason);
    if (message == m_lastSaveFailure)
        return;
    m_lastSaveFailure = message;
    m_queuedMessage = message;
    QMetaObject::invokeMethod(this, &frmMain::showQueuedMessage, Qt::QueuedConnection);
}

void frmMain::showQueuedMessage()
{
    const QString message = std::exchange(m_queuedMessage, QString());
    if (!message.isEmpty())
        QMessageBox::warning(this, kTitle, message);
}

void frmMain::Timer1_Timer()
{
    alarmChanged(m_alarm.tick(now(), m_alarmSettings.timing));
    m_sound->tick(m_alarm.sounding());
}

// A buzzer that cannot sound stands in the status line until it plays again,
// and is named once on standard error each time it starts.
void frmMain::showSoundFault(const QString& fault)
{
    if (fault.isEmpty()) {
        m_c.panel->status().clear(kSoundFault);
        return;
    }
    const QString message = QStringLiteral("报警音无法播放：") + fault;
    if (!m_c.panel->status().standing(kSoundFault))
        qWarning("%s", qPrintable(message));
    m_c.panel->status().raise(kSoundFault, message);
}

// Set-point mode is not watched: the board pauses its readings there.
void frmMain::QuietTimer_Timer()
{
    const bool watched = m_port->PortOpen() && m_c.Text1->text() == kLinkMeasuring;
    if (!watched) {
        if (m_quiet.quiet() && m_quietNote)
            m_quietNote->close();
        m_c.panel->status().clear(kQuietFault);
        m_quiet.restart(now());
        return;
    }
    if (m_quiet.check(now(), m_alarmSettings.staleMs) != QuietWatch::Event::Quiet)
        return;
    const QString status = QStringLiteral("%1 秒未收到温度数据！").arg(m_alarmSettings.staleText);
    m_c.panel->status().raise(kQuietFault, status);
    logRow(QStringLiteral("quiet"), m_setTemp);
    const QString body
        = status + QStringLiteral("最后读数 %1，报警设定温度 %2").arg(m_c.txtBarcode->text(), m_setTemp);
    notification(m_quietNote).show({ kQuietSummary, body, true, QString() });
}

void frmMain::Timer2_Timer()
{
    const auto sample = chartSample(m_c.txtBarcode->text());
    if (sample)
        runOrSkip([&] { m_c.ucHistogram1->NextPoint(*sample); });
}

// The lamp's caption silences the alarm as the lamp does.
bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_c.Label3 && event->type() == QEvent::MouseButtonRelease)
        acknowledgeAlarm();
    return QWidget::eventFilter(watched, event);
}

void frmMain::closeEvent(QCloseEvent* event)
{
    m_c.panel->closeWindowStep();
    event->accept();
}
