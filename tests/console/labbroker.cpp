#include "labbroker.h"

#include "shelltestsupport.h"

#include <QFile>
#include <QTcpServer>
#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// Starts `program` with `arguments` in `folder`; with `out` its standard
// output comes through a pipe whose reading end (non-blocking) is stored there.
int spawn(
    const QString& program, const QStringList& arguments, const QString& folder = {}, int* out = nullptr)
{
    std::vector<QByteArray> args { program.toLocal8Bit() };
    for (const QString& a : arguments)
        args.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const QByteArray dir = folder.toLocal8Bit();
    int pipeFds[2] = { -1, -1 };
    if (out && ::pipe2(pipeFds, O_CLOEXEC) != 0)
        return 0;
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (!dir.isEmpty() && ::chdir(dir.constData()) != 0)
            ::_exit(127);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(out ? pipeFds[1] : null, 1);
        ::dup2(null, 2);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    if (out) {
        ::close(pipeFds[1]);
        ::fcntl(pipeFds[0], F_SETFL, O_NONBLOCK);
        *out = pipeFds[0];
    }
    return pid > 0 ? pid : 0;
}

bool finished(int pid, int timeoutMs, int* status = nullptr)
{
    int s = 0;
    bool done = false; // asked once more at the end: a reaped child is not there again
    waitUntil([&] { return done = done || ::waitpid(pid, &s, WNOHANG) == pid; }, timeoutMs);
    if (status)
        *status = s;
    return done;
}

int freePort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    return server.serverPort();
}

bool run(const QString& program, const QStringList& arguments, const QString& folder)
{
    const int pid = spawn(program, arguments, folder);
    int status = 0;
    return pid > 0 && finished(pid, 30000, &status) && WIFEXITED(status) && WEXITSTATUS(status) == 0;
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
    m_broker = spawn(QStringLiteral("mosquitto"), { "-c", m_dir.filePath("mosquitto.conf") });
    if (m_broker == 0)
        return false;
    return waitUntil(
        [&] {
            return run(QStringLiteral("mosquitto_pub"),
                { "-h", "127.0.0.1", "-p", QString::number(m_port), "-u", "supervisor", "-P", "watch", "-t",
                    "tuvela/probe/cmd/none", "-n" },
                m_dir.path());
        },
        10000);
}

void LabBroker::stop()
{
    if (m_broker == 0)
        return;
    resume();
    ::kill(m_broker, SIGTERM);
    if (!finished(m_broker, 5000)) {
        ::kill(m_broker, SIGKILL);
        finished(m_broker, 2000);
    }
    m_broker = 0;
}

void LabBroker::pause()
{
    if (m_broker)
        ::kill(m_broker, SIGSTOP);
}

void LabBroker::resume()
{
    if (m_broker)
        ::kill(m_broker, SIGCONT);
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
    m_pid = spawn(QStringLiteral("mosquitto_sub"),
        { "-h", "127.0.0.1", "-p", QString::number(broker.port()), "-u", "supervisor", "-P", "watch", "-q",
            "1", "-t", topic, "-F", "%t\t%r\t%p" },
        {}, &m_out);
    QTest::qWait(300); // subscribed
}

LabWatcher::~LabWatcher()
{
    if (m_pid) {
        ::kill(m_pid, SIGTERM);
        finished(m_pid, 3000);
    }
    if (m_out >= 0)
        ::close(m_out);
}

const QStringList& LabWatcher::lines()
{
    char buffer[65536];
    ssize_t n = 0;
    while (m_out >= 0 && (n = ::read(m_out, buffer, sizeof buffer)) > 0)
        m_partial.append(buffer, n);
    qsizetype end = 0;
    while ((end = m_partial.indexOf('\n')) >= 0) {
        m_lines << QString::fromUtf8(m_partial.left(end));
        m_partial.remove(0, end + 1);
    }
    return m_lines;
}

bool LabWatcher::waitFor(const QString& text, int timeoutMs)
{
    return waitUntil([&] { return lines().join(u'\n').contains(text); }, timeoutMs);
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
