// A session bus of the test's own (a dbus-daemon on a private address), with
// playerctl run against it as a desktop user would.
#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>

namespace playertest {

class PrivateBus {
public:
    PrivateBus() = default;
    ~PrivateBus();
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    // Starts the daemon; false when it is not installed or does not start.
    bool start();
    const QString& address() const { return m_address; }
    // A connection of this process to the bus, under `name`.
    QDBusConnection connect(const QString& name);
    // The environment for a program that should use this bus.
    QProcessEnvironment environment() const;

    // Runs playerctl with `arguments` and returns what it printed (trimmed),
    // or nothing with `ok` false when it failed. The test's event loop runs
    // meanwhile, so a player in this process answers it.
    QString playerctl(const QStringList& arguments, bool* ok = nullptr) const;

private:
    QProcess m_daemon;
    QString m_address;
    QStringList m_connections;
};

} // namespace playertest
