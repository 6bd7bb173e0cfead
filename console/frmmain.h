// The console's main window: for now the serial connection panel and the link
// state box, with the load-time probe.
#pragma once

#include <QWidget>
#include <memory>

class ComPort;
class ConnectionPanel;
class QLineEdit;

class frmMain : public QWidget {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // The window's load step: the settings path, then the port probe.
    void Form_Load();

    ComPort& port() const { return *m_port; }
    ConnectionPanel* panel() const { return m_panel; }
    QLineEdit* Text1() const { return m_text1; }
    const QString& IniPath() const { return m_iniPath; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void panel_Connected();

    std::unique_ptr<ComPort> m_port;
    ConnectionPanel* m_panel = nullptr;
    QLineEdit* m_text1 = nullptr;
    QString m_iniPath;
};
