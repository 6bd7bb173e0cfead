#include "frmmain.h"

#include "alarmsound.h"
#include "cjkfont.h"
#include "comport.h"
#include "comreceiver.h"
#include "connectionpanel.h"
#include "digitlayout.h"
#include "inifile.h"
#include "lablink.h"
#include "lamp.h"
#include "linkprotocol.h"
#include "namedwidgets.h"
#include "readingslog.h"
#include "segmentdisplay.h"
#include "setpointstore.h"
#include "uchistogram.h"
#include "units.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

namespace {

const QString kTitle = QStringLiteral("温度控制台");
const QString kSection = QStringLiteral("TEMP");
const QString kLinkSetPoint = QStringLiteral("OK");
const QString kLinkMeasuring = QStringLiteral("EXIT");
const QString kLogKey = QStringLiteral("LOG");

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
    , m_iniPath(context.settingsPath)
{
    named::window(this, QStringLiteral("frmMain"), kTitle);
    setFont(cjkFont(QStringLiteral("宋体"), 9, false));
    m_c = buildFrmMainControls(this, context.devices);
    m_desk = std::make_unique<AlarmDesk>(
        *this, kTitle, *m_c.Shape2, m_c.panel->status(), alarmSoundPath, m_iniPath);
    m_timer1 = makeTimer(QStringLiteral("Timer1"), kBuzzerMs, this);
    m_timer2 = makeTimer(QStringLiteral("Timer2"), kSamplingMs, this);
    m_quietTimer = makeTimer(QStringLiteral("QuietTimer"), kQuietCheckMs, this);
    resize(units::pixelsFromTwips(9450), units::pixelsFromTwips(9090));
    m_store = std::make_unique<SetPointStore>(*this, kTitle, m_c.panel->status(), m_iniPath);
    connectControls();
}

frmMain::~frmMain() = default;

ComPort& frmMain::port() const
{
    return m_c.panel->port();
}

void frmMain::connectControls()
{
    connect(m_c.panel, &ConnectionPanel::connected, this, &frmMain::panel_Connected);
    connect(m_c.panel, &ConnectionPanel::linkChanged, this, &frmMain::panel_LinkChanged);
    connectReceiver(port(), this, [this](const QString& chunk) { receiveChunk(chunk); });
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
    connect(m_desk.get(), &AlarmDesk::happened, this, [this](const QString& e) { record(e, SetTemp()); });
    connect(m_store.get(), &SetPointStore::saved, this,
        [this](const QString& v) { record(QStringLiteral("setpoint"), v); });
}

void frmMain::Form_Load()
{
    m_c.txtBarcode->setText(QStringLiteral("0"));
    m_desk->readSettings();
    m_c.panel->probe();
    m_timer1->start();
    m_timer2->start();
    m_quietTimer->start();
    announceState();
}

void frmMain::openReadingsLog(const QString& commandLinePath)
{
    const QString path = configuredPath(commandLinePath, kSection, kLogKey, m_iniPath);
    if (path.isEmpty())
        return;
    m_log = std::make_unique<ReadingsLog>(path);
    m_log->follow(m_events, m_c.panel->status());
}

bool frmMain::boardInSetPointMode() const
{
    return m_c.Text1->text() == kLinkSetPoint;
}

bool frmMain::boardMeasuring() const
{
    return m_c.Text1->text() == kLinkMeasuring;
}

bool frmMain::showsSetPointMode() const
{
    return m_c.Label1->text() == kCaptionSetPoint;
}

void frmMain::announceState()
{
    m_events.update({ m_c.txtBarcode->text(), SetTemp(), showsSetPointMode(), port().PortOpen(),
        m_desk->level(), m_desk->quiet() });
}

void frmMain::record(const QString& event, const QString& setPoint)
{
    announceState();
    m_events.record(event, setPoint, AlarmOn());
}

// After connect the console is in measuring mode.
void frmMain::panel_Connected()
{
    m_c.Text1->setText(kLinkMeasuring);
}

void frmMain::panel_LinkChanged(LinkChange change)
{
    m_framer.clear();
    m_desk->linkChanged(change == LinkChange::Disconnected || change == LinkChange::Lost);
    record(linkEventName(change), SetTemp());
}

void frmMain::receiveChunk(const QString& chunk)
{
    m_rxChunk = chunk;
    SegmentDisplay& mo = *m_c.Mo;
    if (m_rxChunk == QLatin1String("O")) {
        m_c.Text1->setText(kLinkSetPoint);
        m_c.Shape3->setFillColor(Lamp::kLit);
    }
    if (m_rxChunk == QLatin1String("N")) {
        m_c.Text1->setText(kLinkMeasuring);
        m_c.Shape3->setFillColor(Lamp::kDark);
        m_store->save(mo.Tag);
    }
    if (boardInSetPointMode()) {
        m_c.Label1->setText(kCaptionSetPoint);
        mo.Tag = mo.Value();
    }
    setText(m_c.Text2, mo.Tag);
    if (boardMeasuring())
        m_c.Label1->setText(kCaptionMeasuring);
    if (const std::optional<QString> line = m_framer.add(m_rxChunk))
        completeLine(*line);
    announceState();
}

// A complete line: the reading, the lamps and the alarm flag, the event, the
// status, and the set-point read again from the settings file.
void frmMain::completeLine(const QString& line)
{
    m_c.txtBarcode->setText(readingOfLine(line));
    // A value the display cannot show skips only this step.
    runOrSkip<DisplayOverflow>([&] { m_c.Mo->setValue(m_c.txtBarcode->text()); });
    showLamps(m_desk->line(m_c.txtBarcode->text(), !showsSetPointMode()));
    record(QStringLiteral("reading"), SetTemp());
    m_c.panel->status().show(kStatusLinked);
    setText(m_c.Text2, m_desk->readSettings().setPoint);
}

// The lamps after a complete line: normal or over-temperature, and in
// set-point mode only the set lamp.
void frmMain::showLamps(bool alarmed)
{
    m_c.Shape2->setFillColor(alarmed ? Lamp::kLit : Lamp::kDark);
    m_c.Shape1->setFillColor(alarmed ? Lamp::kDark : Lamp::kLit);
    if (showsSetPointMode()) {
        m_c.Shape3->setFillColor(Lamp::kLit);
        m_c.Shape2->setFillColor(Lamp::kDark);
        m_c.Shape1->setFillColor(Lamp::kDark);
    }
}

void frmMain::acknowledgeAlarm()
{
    m_desk->acknowledge();
    announceState();
}

bool frmMain::sendCommand(QChar command)
{
    if (!port().PortOpen()) {
        QMessageBox::warning(this, kTitle, QStringLiteral("串口未连接，请先点击“连接”连接温度控制器。"));
        return false;
    }
    try {
        port().Output(QString(command));
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
    if (sendCommand(u'6'))
        storeShownSetPoint();
}

void frmMain::storeShownSetPoint()
{
    m_store->save(m_c.Mo->Tag);
}

void frmMain::Timer1_Timer()
{
    m_desk->tick();
    announceState();
}

void frmMain::QuietTimer_Timer()
{
    m_desk->look(port().PortOpen() && boardMeasuring());
    announceState();
}

void frmMain::Timer2_Timer()
{
    if (const auto sample = chartSample(m_c.txtBarcode->text()))
        m_c.ucHistogram1->NextPoint(*sample);
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
