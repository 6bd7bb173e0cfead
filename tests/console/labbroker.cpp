#include "labbroker.h"

#include "shelltestsupport.h"

#include <QFile>
#include <QTcpServer>
#include <QTest>

#include <csignal>

namespace {

int freePort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    return server.serverPort();
}

bool run(const QString& program, const QStringList& arguments, const QString& folder)
{
    QProcess p;
    p.setWorkingDirectory(folder);
    p.start(program, arguments);
    return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

bool writeFile(const QString& path, const QByteArray& content)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
}

// A CA, a server certificate for localhost and 127.0.0.1 signed by it, and a
// second CA that signed nothing.
bool makeCertificates(const QString& dir)
{
    const QString o = QStringLiteral("openssl");
    return writeFile(dir + "/san.ext", "subjectAltName=DNS:localhost,IP:127.0.0.1\n")
        && run(o,
            { "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj", "/CN=test-ca",
                "-keyout", "ca.key", "-out", "ca.crt" },
            dir)
        && run(o,
            { "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj", "/CN=other-ca",
                "-keyout", "other.key", "-out", "other.crt" },
            dir)
        && run(o,
            { "req", "-newkey", "rsa:2048", "-nodes", "-subj", "/CN=localhost", "-keyout", "server.key",
                "-out", "server.csr" },
            dir)
        && run(o,
            { "x509", "-req", "-in", "server.csr", "-CA", "ca.crt", "-CAkey", "ca.key", "-CAcreateserial",
                "-days", "2", "-extfile", "san.ext", "-out", "server.crt" },
            dir);
}

} // namespace

LabBroker::LabBroker()
{
    const QString d = m_dir.path();
    m_port = freePort();
    m_tlsPort = freePort();
    const QByteArray acl = "pattern readwrite tuvela/%u/#\n"
                           "pattern write homeassistant/+/tuvela_%u/#\n"
                           "pattern read homeassistant/status\n"
                           "user supervisor\n"
                           "topic read tuvela/#\n"
                           "topic write tuvela/+/cmd/#\n"
                           "topic read homeassistant/#\n"
                           "topic write homeassistant/status\n";
    const QByteArray conf = QStringLiteral("per_listener_settings false\n"
                                           "allow_anonymous false\n"
                                           "persistence false\n"
                                           "max_queued_messages 0\n"
                                           "password_file %1/passwd\n"
                                           "acl_file %1/acl\n"
                                           "listener %2 127.0.0.1\n"
                                           "listener %3 127.0.0.1\n"
                                           "cafile %1/ca.crt\n"
                                           "certfile %1/server.crt\n"
                                           "keyfile %1/server.key\n")
                                .arg(d)
                                .arg(m_port)
                                .arg(m_tlsPort)
                                .toUtf8()
        + (geteuid() == 0 ? "user root\n" : "");
    writeFile(d + "/acl", acl);
    writeFile(d + "/mosquitto.conf", conf);
    writeFile(d + "/passwd", "");
    const QString pw = QStringLiteral("mosquitto_passwd");
    run(pw, { "-b", "passwd", "bench01", "secret1" }, d);
    run(pw, { "-b", "passwd", "bench02", "secret2" }, d);
    run(pw, { "-b", "passwd", "supervisor", "watch" }, d);
    makeCertificates(d);
}

LabBroker::~LabBroker()
{
    stop();
}

bool LabBroker::start()
{
    m_broker = std::make_unique<QProcess>();
    m_broker->setProcessChannelMode(QProcess::MergedChannels);
    m_broker->start(QStringLiteral("mosquitto"), { "-c", m_dir.filePath("mosquitto.conf") });
    if (!m_broker->waitForStarted(5000))
        return false;
    return waitUntil(
        [&] {
            QProcess probe;
            probe.start(QStringLiteral("mosquitto_pub"),
                { "-h", "127.0.0.1", "-p", QString::number(m_port), "-u", "supervisor", "-P", "watch", "-t",
                    "tuvela/probe/cmd/none", "-n" });
            return probe.waitForFinished(3000) && probe.exitCode() == 0;
        },
        10000);
}

void LabBroker::stop()
{
    if (!m_broker)
        return;
    resume();
    m_broker->terminate();
    if (!m_broker->waitForFinished(5000))
        m_broker->kill();
    m_broker->waitForFinished(2000);
    m_broker.reset();
}

void LabBroker::pause()
{
    if (m_broker)
        ::kill(pid_t(m_broker->processId()), SIGSTOP);
}

void LabBroker::resume()
{
    if (m_broker)
        ::kill(pid_t(m_broker->processId()), SIGCONT);
}

bool LabBroker::publish(const QString& topic, const QString& payload, bool retain) const
{
    QStringList args { "-h", "127.0.0.1", "-p", QString::number(m_port), "-u", "supervisor", "-P", "watch",
        "-q", "1", "-t", topic, "-m", payload };
    if (retain)
        args << "-r";
    return run(QStringLiteral("mosquitto_pub"), args, m_dir.path());
}

LabWatcher::LabWatcher(const LabBroker& broker, const QString& topic)
{
    m_sub.start(QStringLiteral("mosquitto_sub"),
        { "-h", "127.0.0.1", "-p", QString::number(broker.port()), "-u", "supervisor", "-P", "watch", "-q",
            "1", "-t", topic, "-F", "%t\t%r\t%p" });
    m_sub.waitForStarted(5000);
    QTest::qWait(300); // subscribed
}

LabWatcher::~LabWatcher()
{
    m_sub.terminate();
    m_sub.waitForFinished(3000);
}

const QStringList& LabWatcher::lines()
{
    m_partial += m_sub.readAllStandardOutput();
    qsizetype end = 0;
    while ((end = m_partial.indexOf('\n')) >= 0) {
        m_lines << QString::fromUtf8(m_partial.left(end));
        m_partial.remove(0, end + 1);
    }
    return m_lines;
}

bool LabWatcher::waitFor(const QString& text, int timeoutMs)
{
    return waitUntil(
        [&] {
            m_sub.waitForReadyRead(20);
            return lines().join(u'\n').contains(text);
        },
        timeoutMs);
}

QStringList LabWatcher::payloads(const QString& topic)
{
    QStringList out;
    for (const QString& line : lines()) {
        const QStringList parts = line.split(u'\t');
        if (parts.size() >= 3 && parts[0] == topic)
            out << parts.mid(2).join(u'\t');
    }
    return out;
}
