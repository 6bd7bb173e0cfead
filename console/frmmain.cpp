#include "frmmain.h"

#include "alarmplayer.h"
#include "alarmsound.h"
#include "cjkfont.h"
#include "comport.h"
#include "comreceiver.h"
#include "connectionpanel.h"
#include "inifile.h"
#include "lamp.h"
#include "linkprotocol.h"
#include "namedwidgets.h"
#include "readingslog.h"
#include "segmentdisplay.h"
#include "uchistogram.h"
#include "units.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace {

const QString kTitle = QStringLiteral("温度控制台");
const QString kSection = QStringLiteral("TEMP");
const QString kKey = QStringLiteral("SETTEMP");
const QString kLinkSetPoint = QStringLiteral("OK");
const QString kLinkMeasuring = QStringLiteral("EXIT");

const QString kLogKey = QStringLiteral("LOG");

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
    ownPortLast(*this, *m_port);
}

frmMain::~frmMain() = default;

void frmMain::Form_Load()
{
    m_c.txtBarcode->setText(QStringLiteral("0"));
    m_setTemp = GetFromINI(kSection, kKey, m_iniPath);
    m_c.panel->probe();
    m_timer1->start();
    m_timer2->start();
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
        m_c.panel->lblStatus()->setText(message);
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
    if (change == LinkChange::Disconnected || change == LinkChange::Lost) {
        m_sound->stop();
        if (m_alarmOn)
            m_alarmOn = 0;
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
    runOrSkip([&] { evaluateLine(); });
    runOrSkip([&] { logRow(QStringLiteral("reading"), m_setTemp); });
    runOrSkip([&] { m_c.panel->lblStatus()->setText(kStatusLinked); });
    runOrSkip([&] {
        m_setTemp = GetFromINI(kSection, kKey, m_iniPath);
        setText(m_c.Text2, m_setTemp);
    });
}

// The lamps and the alarm flag after a complete line.
void frmMain::evaluateLine()
{
    const bool measuring = m_c.Label1->text() == kCaptionMeasuring;
    if (measuring && readingAtOrAbove(m_c.txtBarcode->text(), m_setTemp)) {
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
    if (m_alarmOn == 1)
        m_sound->play();
}

void frmMain::Timer2_Timer()
{
    const auto sample = chartSample(m_c.txtBarcode->text());
    if (sample)
        runOrSkip([&] { m_c.ucHistogram1->NextPoint(*sample); });
}

void frmMain::closeEvent(QCloseEvent* event)
{
    m_c.panel->closeWindowStep();
    event->accept();
}
