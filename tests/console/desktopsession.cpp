#include "desktopsession.h"

#include <QDir>
#include <QTest>

namespace {

constexpr int kWait = 10000;

// Starts `program` and waits for its first line of output, which it returns.
QString startAndReadLine(QProcess& p, const QString& program, const QStringList& args)
{
    p.start(program, args);
    if (!p.waitForStarted(kWait) || !QTest::qWaitFor([&] { return p.canReadLine(); }, kWait))
        return {};
    return QString::fromUtf8(p.readLine()).trimmed();
}

bool fail(QString* why, const char* text)
{
    *why = QString::fromUtf8(text);
    return false;
}

void stop(std::unique_ptr<QProcess>& p)
{
    if (!p || p->state() == QProcess::NotRunning)
        return;
    p->terminate();
    if (!p->waitForFinished(3000)) {
        p->kill();
        p->waitForFinished();
    }
}

} // namespace

bool BusMessage::has(const QString& text) const
{
    for (const QString& a : args) {
        if (a.contains(text))
            return true;
    }
    return false;
}

DesktopSession::DesktopSession() = default;

DesktopSession::~DesktopSession()
{
    stop(m_monitor);
    stop(m_dunst);
    stop(m_x);
    stop(m_bus);
    if (!m_dir.isEmpty())
        QDir(m_dir).removeRecursively();
}

bool DesktopSession::start(QString* why)
{
    m_dir
        = QDir::temp().filePath(QStringLiteral("tuvela-desktop-%1").arg(QCoreApplication::applicationPid()));
    QDir().mkpath(m_dir);
    m_bus = std::make_unique<QProcess>();
    m_address = startAndReadLine(*m_bus, QStringLiteral("dbus-daemon"),
        { QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1") });
    if (m_address.isEmpty())
        return fail(why, "dbus-daemon did not start (package dbus-daemon)");
    m_x = std::make_unique<QProcess>();
    const QString display = startAndReadLine(*m_x, QStringLiteral("Xvfb"),
        { QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
            QStringLiteral("tcp") });
    if (display.isEmpty())
        return fail(why, "Xvfb did not start (package xvfb)");
    m_display = u':' + display;

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_address);
    env.insert(QStringLiteral("DISPLAY"), m_display);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir);
    m_monitor = std::make_unique<QProcess>();
    m_monitor->setProcessEnvironment(env);
    m_monitor->setProcessChannelMode(QProcess::SeparateChannels);
    const QString first = startAndReadLine(*m_monitor, QStringLiteral("dbus-monitor"),
        { QStringLiteral("--address"), m_address,
            QStringLiteral("interface='org.freedesktop.Notifications'") });
    if (first.isEmpty())
        return fail(why, "dbus-monitor did not start (package dbus-bin)");
    QObject::connect(m_monitor.get(), &QProcess::readyReadStandardOutput, [this] { readMonitor(); });

    QFile config(QDir(m_dir).filePath(QStringLiteral("dunstrc")));
    if (!config.open(QIODevice::WriteOnly))
        return fail(why, "cannot write the notification server's settings");
    config.close();
    m_dunst = std::make_unique<QProcess>();
    m_dunst->setProcessEnvironment(env);
    m_dunst->start(QStringLiteral("dunst"), { QStringLiteral("-config"), config.fileName() });
    if (!m_dunst->waitForStarted(kWait))
        return fail(why, "dunst did not start (package dunst)");
    // Ready once it owns the notification service.
    if (!QTest::qWaitFor([&] { return dunstctl({ QStringLiteral("is-paused") }); }, kWait))
        return fail(why, "dunst did not take the notification service");
    qputenv("DBUS_SESSION_BUS_ADDRESS", m_address.toUtf8());
    return true;
}

bool DesktopSession::dunstctl(const QStringList& arguments) const
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_address);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral("dunstctl"), arguments);
    if (!p.waitForStarted(kWait)
        || !QTest::qWaitFor([&] { return p.state() == QProcess::NotRunning; }, kWait))
        return false;
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// dbus-monitor prints a header line per message, then one indented line per
// basic value (containers open and close on lines of their own).
void DesktopSession::readMonitor()
{
    m_partial += m_monitor->readAllStandardOutput();
    qsizetype end;
    while ((end = m_partial.indexOf('\n')) >= 0) {
        const QString line = QString::fromUtf8(m_partial.left(end));
        m_partial.remove(0, end + 1);
        if (!line.startsWith(u' ')) {
            const qsizetype at = line.indexOf(QStringLiteral("member="));
            m_seen.append({ at < 0 ? QString() : line.mid(at + 7).section(u';', 0, 0).trimmed(), {} });
        } else if (!m_seen.isEmpty()) {
            const QString value = line.simplified();
            if (!value.startsWith(QStringLiteral("array")) && value != u']' && value != u')'
                && !value.startsWith(QStringLiteral("dict entry")))
                m_seen.last().args << value;
        }
    }
}

QList<BusMessage> DesktopSession::messages(const QString& member)
{
    QCoreApplication::processEvents();
    QList<BusMessage> out;
    for (const BusMessage& m : std::as_const(m_seen)) {
        if (m.member == member)
            out << m;
    }
    return out;
}

void DesktopSession::clearMessages()
{
    QCoreApplication::processEvents();
    m_seen.clear();
}
