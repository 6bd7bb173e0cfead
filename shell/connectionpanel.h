// The frame "串口连接选项" shared by both main windows: four port options, connect,
// disconnect, exit and the status label, driving the window's ComPort.
#pragma once

#include "comport.h"
#include "portresolver.h"
#include "statusline.h"

#include <QGroupBox>
#include <array>

class QGridLayout;
class QLabel;
class QPushButton;
class QRadioButton;

// A change of the link, whoever made it.
enum class LinkChange { Connected, Reconnected, Disconnected, Lost };

class ConnectionPanel : public QGroupBox {
    Q_OBJECT
public:
    // Column: the console's arrangement (options in a column, buttons in a column
    // beside them, status across the bottom). Grid: the player's (options two by
    // two, buttons in a row, status below, then room for extra controls).
    enum class Arrangement { Column, Grid };

    // The panel owns the window's port, made on `devices`: everything that
    // refers to the port goes with the window before the panel does.
    ConnectionPanel(const ComDevices& devices, Arrangement arrangement, QWidget* parent = nullptr);
    ~ConnectionPanel() override;

    // Controls, objectName as named: "optComPort(0)".."optComPort(3)",
    // "cmdConnect", "cmdDisconnect", "cmdExit", "lblStatus". The frame itself is
    // "fraFrames(2)".
    QRadioButton* optComPort(int index) const { return m_opt.at(size_t(index)); }
    QPushButton* cmdConnect() const { return m_connect; }
    QPushButton* cmdDisconnect() const { return m_disconnect; }
    QPushButton* cmdExit() const { return m_exit; }
    QLabel* lblStatus() const { return m_status; }
    // The one writer of lblStatus: the panel's own texts and the window's.
    StatusLine& status() { return m_statusLine; }

    // Adds a control of the owning window to the frame (the player's
    // "设置遥控键值" button), below the panel's own controls.
    void addExtra(QWidget* widget);

    // The load-time probe: each of COM1..COM4 opened and closed again; an option
    // whose port fails with 68, 8002 or 8012 is disabled. Ends with InputLen = 1
    // and RThreshold = 1, the port closed.
    void probe();

    void cmdConnect_Click();
    void cmdDisconnect_Click();
    void cmdExit_Click();
    // The window-closing step: closes the port when it reads open.
    void closeWindowStep();

    // Names each port's device: its ComPort path, and the option's tooltip and
    // accessible description.
    void setPortDevices(const PortDevices& devices);
    const PortDevices& portDevices() const { return m_devices; }
    // The load probe's check again, for a changed set of devices: every port
    // other than the open one is opened and closed once on a port of its own;
    // its option is enabled unless that fails with 68, 8002 or 8012.
    void recheckPorts();
    // Reopens `port` after its device returned. On success the panel shows the
    // link as after connect; a failure shows only in the status (no box), for
    // the caller tries again. Returns whether it opened.
    bool reconnect(int port);
    // --connect: selects the first selectable option and presses connect.
    void connectFirstSelectable();

    ComPort& port() { return m_port; }
    const ComPort& port() const { return m_port; }

signals:
    // Emitted inside connect after the status reads "已连接..." and before the
    // buttons swap (the console sets its link state here).
    void connected();
    // Exit was pressed: the port is closed; the window closes and the program ends.
    void exitRequested();
    // Every connect, automatic reconnect, disconnect and device loss.
    void linkChanged(LinkChange change);

private:
    void arrange(Arrangement arrangement);
    void ComPort_DeviceLost();
    void showDisconnected();
    void showConnected(const QString& status);
    QString tooltipFor(int port) const;
    void reportConnectFailure(const struct ComError& error);

    ComPort m_port;
    std::array<QRadioButton*, kComPortCount> m_opt {};
    QPushButton* m_connect = nullptr;
    QPushButton* m_disconnect = nullptr;
    QPushButton* m_exit = nullptr;
    QLabel* m_status = nullptr;
    StatusLine m_statusLine { QStringLiteral("空闲") };
    QGridLayout* m_grid = nullptr;
    int m_extraRow = 0;
    PortDevices m_devices {};
};
