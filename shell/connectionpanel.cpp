#include "connectionpanel.h"

#include "comport.h"
#include "namedwidgets.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

namespace {

// The probe disables a port's option for these numbers only: the port cannot
// be used at all. Other failures (no permission, in use) leave it selectable.
bool disablesOption(int number)
{
    return number == comerr::kDeviceUnavailable || number == comerr::kInvalidPort
        || number == comerr::kPortNotOpen;
}

} // namespace

ConnectionPanel::ConnectionPanel(const ComDevices& devices, Arrangement arrangement, QWidget* parent)
    : QGroupBox(QStringLiteral("串口连接选项"), parent)
    , m_port(devices)
{
    setObjectName(QStringLiteral("fraFrames(2)"));
    setAccessibleName(title());
    for (int i = 0; i < kComPortCount; ++i) {
        const QString caption = QStringLiteral("COM%1").arg(i + 1);
        auto* option = named::control(
            new QRadioButton(caption, this), QStringLiteral("optComPort(%1)").arg(i), caption);
        option->setToolTip(m_port.devices().path(i + 1));
        m_opt[size_t(i)] = option;
    }
    m_opt[0]->setChecked(true);
    m_connect = named::button(QStringLiteral("cmdConnect"), QStringLiteral("连接"), this);
    m_disconnect = named::button(QStringLiteral("cmdDisconnect"), QStringLiteral("断开"), this);
    m_exit = named::button(QStringLiteral("cmdExit"), QStringLiteral("退出"), this);
    m_disconnect->setEnabled(false);
    m_status = named::label(QStringLiteral("lblStatus"), m_statusLine.text(), this);
    m_status->setAlignment(Qt::AlignCenter);
    // A long fault wraps inside the panel instead of widening the window.
    m_status->setWordWrap(true);
    m_status->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_status->setAccessibleDescription(QStringLiteral("连接状态"));
    arrange(arrangement);

    connect(m_connect, &QPushButton::clicked, this, &ConnectionPanel::cmdConnect_Click);
    connect(m_disconnect, &QPushButton::clicked, this, &ConnectionPanel::cmdDisconnect_Click);
    connect(m_exit, &QPushButton::clicked, this, &ConnectionPanel::cmdExit_Click);
    connect(&m_port, &ComPort::deviceLost, this, &ConnectionPanel::ComPort_DeviceLost);
    connect(&m_statusLine, &StatusLine::changed, m_status, &QLabel::setText);
}

ConnectionPanel::~ConnectionPanel()
{
    // The panel goes with its window's children, after the window's own
    // members: nothing the port would still tell may reach them.
    m_port.disconnect();
}

void ConnectionPanel::arrange(Arrangement arrangement)
{
    m_grid = new QGridLayout(this);
    if (arrangement == Arrangement::Column) {
        for (int i = 0; i < kComPortCount; ++i)
            m_grid->addWidget(m_opt[size_t(i)], i, 0);
        m_grid->addWidget(m_connect, 0, 1);
        m_grid->addWidget(m_disconnect, 1, 1);
        m_grid->addWidget(m_exit, 2, 1);
        m_grid->addWidget(m_status, 4, 0, 1, 2);
        m_extraRow = 5;
    } else {
        for (int i = 0; i < kComPortCount; ++i)
            m_grid->addWidget(m_opt[size_t(i)], i / 2, i % 2);
        auto* buttons = new QHBoxLayout;
        buttons->addWidget(m_connect);
        buttons->addWidget(m_disconnect);
        buttons->addWidget(m_exit);
        m_grid->addLayout(buttons, 2, 0, 1, 2);
        m_grid->addWidget(m_status, 3, 0, 1, 2);
        m_extraRow = 4;
    }
}

void ConnectionPanel::addExtra(QWidget* widget)
{
    widget->setParent(this);
    m_grid->addWidget(widget, m_extraRow++, 0, 1, 2);
}

void ConnectionPanel::probe()
{
    for (int port = 1; port <= kComPortCount; ++port) {
        QRadioButton* option = m_opt[size_t(port - 1)];
        option->setToolTip(tooltipFor(port));
        // Each step on its own: a failing step is noted and the next one runs.
        const auto step = [&](auto&& action) {
            try {
                action();
            } catch (const ComError& e) {
                if (disablesOption(e.number))
                    option->setEnabled(false);
            }
        };
        step([&] { m_port.setCommPort(port); });
        step([&] {
            if (m_port.PortOpen())
                m_port.setPortOpen(false);
        });
        step([&] { m_port.setPortOpen(true); });
        step([&] { m_port.setPortOpen(false); });
    }
    m_port.setInputLen(1);
    m_port.setRThreshold(1);
}

void ConnectionPanel::cmdConnect_Click()
{
    try {
        for (int i = 1; i <= kComPortCount; ++i) {
            if (m_opt[size_t(i - 1)]->isChecked()) {
                m_port.setCommPort(i);
                break;
            }
        }
        if (m_port.PortOpen())
            m_port.setPortOpen(false);
        m_port.setPortOpen(true);
    } catch (const ComError& e) {
        reportConnectFailure(e);
        return;
    }
    showConnected(QStringLiteral("已连接..."));
    emit linkChanged(LinkChange::Connected);
}

bool ConnectionPanel::reconnect(int port)
{
    try {
        m_port.setCommPort(port);
        m_port.setPortOpen(true);
    } catch (const ComError& e) {
        // Shown in the status, not in a box: the next look tries again.
        m_statusLine.show(QStringLiteral("设备已重新接入，但无法打开：%1").arg(e.text));
        return false;
    }
    m_opt[size_t(port - 1)]->setEnabled(true);
    m_opt[size_t(port - 1)]->setChecked(true);
    showConnected(QStringLiteral("设备已重新接入，已自动连接..."));
    emit linkChanged(LinkChange::Reconnected);
    return true;
}

void ConnectionPanel::showConnected(const QString& status)
{
    m_statusLine.show(status);
    emit connected();
    m_connect->setEnabled(false);
    m_disconnect->setEnabled(true);
}

void ConnectionPanel::connectFirstSelectable()
{
    for (QRadioButton* option : m_opt) {
        if (option->isEnabled()) {
            option->setChecked(true);
            m_connect->click();
            return;
        }
    }
}

void ConnectionPanel::setPortDevices(const PortDevices& devices)
{
    m_devices = devices;
    for (int port = 1; port <= kComPortCount; ++port) {
        m_port.devices().setPath(port, devices[size_t(port - 1)].path);
        m_port.devices().setDescription(port, devices[size_t(port - 1)].description);
        const QString description = tooltipFor(port);
        m_opt[size_t(port - 1)]->setToolTip(description);
        m_opt[size_t(port - 1)]->setAccessibleDescription(description);
    }
}

// The full description when the panel named the device itself, else the path.
QString ConnectionPanel::tooltipFor(int port) const
{
    const PortDevice& device = m_devices[size_t(port - 1)];
    const QString path = m_port.devices().path(port);
    return device.path == path ? describePort(port, device) : path;
}

void ConnectionPanel::recheckPorts()
{
    for (int port = 1; port <= kComPortCount; ++port) {
        if (m_port.PortOpen() && m_port.CommPort() == port)
            continue;
        ComPort check(m_port.devices());
        bool usable = true;
        try {
            check.setCommPort(port);
            check.setPortOpen(true);
            check.setPortOpen(false);
        } catch (const ComError& e) {
            usable = !disablesOption(e.number);
        }
        m_opt[size_t(port - 1)]->setEnabled(usable);
    }
}

void ConnectionPanel::cmdDisconnect_Click()
{
    closeWindowStep();
    showDisconnected();
    emit linkChanged(LinkChange::Disconnected);
}

void ConnectionPanel::cmdExit_Click()
{
    closeWindowStep();
    emit exitRequested();
    window()->close();
    QCoreApplication::quit();
}

void ConnectionPanel::closeWindowStep()
{
    if (m_port.PortOpen())
        m_port.setPortOpen(false);
}

// The device went away under an open port: the port is closed already; the
// panel only shows it, once, without a box that a flapping device could repeat.
void ConnectionPanel::ComPort_DeviceLost()
{
    showDisconnected();
    emit linkChanged(LinkChange::Lost);
}

void ConnectionPanel::showDisconnected()
{
    m_statusLine.show(QStringLiteral("已断开..."));
    m_disconnect->setEnabled(false);
    m_connect->setEnabled(true);
}

void ConnectionPanel::reportConnectFailure(const ComError& error)
{
    QString text = QStringLiteral("无法打开串口 COM%1（%2）：\n%3。")
                       .arg(m_port.CommPort())
                       .arg(m_port.currentDevice(), error.text);
    if (error.number == comerr::kPermissionDenied)
        text += QStringLiteral("\n\n请把当前用户加入 dialout 组（sudo usermod -aG dialout $USER），"
                               "然后注销并重新登录。");
    QMessageBox box(QMessageBox::Warning, QStringLiteral("串口连接失败"), text, QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("msgConnectFailed"));
    box.exec();
}
