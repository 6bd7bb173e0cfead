// A desktop of the test's own: a session bus (dbus-daemon on a private
// address), an X display (Xvfb) and a real notification server (dunst) on
// them, with dbus-monitor recording every notification call and signal.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>

// One message seen on the bus: its member name and its leading arguments as
// dbus-monitor prints them (`string "超温报警"`, `uint32 0`, `byte 2`, ...).
struct BusMessage {
    QString member;
    QStringList args;
    bool has(const QString& text) const;
};

class DesktopSession {
public:
    DesktopSession();
    ~DesktopSession();
    DesktopSession(const DesktopSession&) = delete;
    DesktopSession& operator=(const DesktopSession&) = delete;

    // Starts everything and points this process's session bus at it; on
    // failure says why.
    bool start(QString* why);

    // Runs dunstctl with `arguments` (the event loop runs meanwhile).
    bool dunstctl(const QStringList& arguments) const;
    // The messages named `member` seen so far.
    QList<BusMessage> messages(const QString& member);
    // Forgets what was seen.
    void clearMessages();

private:
    void readMonitor();

    QString m_dir;
    QString m_address;
    QString m_display;
    std::unique_ptr<QProcess> m_bus, m_x, m_dunst, m_monitor;
    QList<BusMessage> m_seen;
    QByteArray m_partial;
};
