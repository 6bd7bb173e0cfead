// The frame "串口连接选项" shared by both main windows: four port options, connect,
// disconnect, exit and the status label, driving the window's ComPort.
#pragma once

#include <QGroupBox>
#include <array>

class ComPort;
class QGridLayout;
class QLabel;
class QPushButton;
class QRadioButton;

class ConnectionPanel : public QGroupBox {
    Q_OBJECT
public:
    // Column: the console's arrangement (options in a column, buttons in a column
    // beside them, status across the bottom). Grid: the player's (options two by
    // two, buttons in a row, status below, then room for extra controls).
    enum class Arrangement { Column, Grid };

    ConnectionPanel(ComPort& port, Arrangement arrangement, QWidget* parent = nullptr);

    // Controls, objectName as named: "optComPort(0)".."optComPort(3)",
    // "cmdConnect", "cmdDisconnect", "cmdExit", "lblStatus". The frame itself is
    // "fraFrames(2)".
    QRadioButton* optComPort(int index) const { return m_opt.at(size_t(index)); }
    QPushButton* cmdConnect() const { return m_connect; }
    QPushButton* cmdDisconnect() const { return m_disconnect; }
    QPushButton* cmdExit() const { return m_exit; }
    QLabel* lblStatus() const { return m_status; }

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

signals:
    // Emitted inside connect after the status reads "已连接..." and before the
    // buttons swap (the console sets its link state here).
    void connected();
    // Exit was pressed: the port is closed; the window closes and the program ends.
    void exitRequested();

private:
    void arrange(Arrangement arrangement);
    void ComPort_DeviceLost();
    void showDisconnected();
    void reportConnectFailure(const struct ComError& error);

    ComPort& m_port;
    std::array<QRadioButton*, 4> m_opt {};
    QPushButton* m_connect = nullptr;
    QPushButton* m_disconnect = nullptr;
    QPushButton* m_exit = nullptr;
    QLabel* m_status = nullptr;
    QGridLayout* m_grid = nullptr;
    int m_extraRow = 0;
};
