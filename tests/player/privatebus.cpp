#include "privatebus.h"

#include <QTest>

namespace playertest {

namespace {

    constexpr int kWait = 10000;

} // namespace

PrivateBus::~PrivateBus()
{
    for (const QString& name : m_connections)
        QDBusConnection::disconnectFromBus(name);
    if (m_daemon.state() == QProcess::NotRunning)
        return;
    m_daemon.kill();
    m_daemon.waitForFinished();
}

bool PrivateBus::start()
{
    m_daemon.start(QStringLiteral("dbus-daemon"),
        { QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1") });
    if (!m_daemon.waitForStarted(kWait) || !QTest::qWaitFor([&] { return m_daemon.canReadLine(); }, kWait))
        return false;
    m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    return !m_address.isEmpty();
}

QDBusConnection PrivateBus::connect(const QString& name)
{
    m_connections << name;
    return QDBusConnection::connectToBus(m_address, name);
}

QProcessEnvironment PrivateBus::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_address);
    return env;
}

QString PrivateBus::playerctl(const QStringList& arguments, bool* ok) const
{
    QProcess p;
    p.setProcessEnvironment(environment());
    p.start(QStringLiteral("playerctl"), arguments);
    const bool started = p.waitForStarted(kWait);
    const bool finished
        = started && QTest::qWaitFor([&] { return p.state() == QProcess::NotRunning; }, kWait);
    if (!finished)
        p.kill();
    const bool fine = finished && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (ok)
        *ok = fine;
    return fine ? QString::fromUtf8(p.readAllStandardOutput()).trimmed() : QString();
}

} // namespace playertest
