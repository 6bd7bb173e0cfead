// The simulator programs on their pseudo-terminals, driven from the slave side.
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

// The device side a program would open.
class Device {
public:
    explicit Device(const QString& path)
        : m_fd(::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK))
    {
        termios tio {};
        if (m_fd >= 0 && ::tcgetattr(m_fd, &tio) == 0) {
            ::cfmakeraw(&tio);
            ::tcsetattr(m_fd, TCSANOW, &tio);
        }
    }
    ~Device()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool ok() const { return m_fd >= 0; }
    void send(const std::string& s) { EXPECT_EQ(::write(m_fd, s.data(), s.size()), ssize_t(s.size())); }
    // Reads until `text` has arrived (returns everything read) or the time is up.
    std::string readUntil(const std::string& text, int timeoutMs = 5000)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (m_buffer.find(text) == std::string::npos && std::chrono::steady_clock::now() < end) {
            pollfd p { m_fd, POLLIN, 0 };
            char buf[256];
            if (::poll(&p, 1, 50) > 0) {
                const ssize_t n = ::read(m_fd, buf, sizeof buf);
                if (n > 0)
                    m_buffer.append(buf, size_t(n));
            }
        }
        return m_buffer;
    }
    void clear() { m_buffer.clear(); }

private:
    int m_fd;
    std::string m_buffer;
};

class Simulator {
public:
    Simulator(const char* program, const QStringList& args)
    {
        m_process.start(QString::fromUtf8(program), args);
        m_process.waitForStarted();
        if (m_process.waitForReadyRead(5000))
            m_path = QString::fromUtf8(m_process.readLine()).trimmed();
    }
    ~Simulator()
    {
        m_process.terminate();
        m_process.waitForFinished(3000);
    }
    const QString& path() const { return m_path; }
    QProcess& process() { return m_process; }

private:
    QProcess m_process;
    QString m_path;
};

TEST(TempboardProgram, AnswersSetpointCommandsAndRemovesItsLink)
{
    QTemporaryDir dir;
    const QString link = dir.filePath("board");
    {
        Simulator board(TEMPBOARD_PATH,
            { "--interval", "100", "--start", "25", "--min", "25", "--max", "25", "--link", link });
        ASSERT_TRUE(board.path().startsWith("/dev/pts/")) << board.path().toStdString();
        EXPECT_EQ(QFileInfo(link).symLinkTarget(), board.path());
        Device device(link);
        ASSERT_TRUE(device.ok());
        EXPECT_NE(device.readUntil("25C\r\n").find("25C\r\n"), std::string::npos);
        device.send("3");
        EXPECT_NE(device.readUntil("30O\r\n").find("30O\r\n"), std::string::npos);
        device.send("5");
        EXPECT_NE(device.readUntil("31C\r\n").find("31C\r\n"), std::string::npos);
        device.send("6");
        EXPECT_NE(device.readUntil("25N\r\n").find("25N\r\n"), std::string::npos);
    }
    EXPECT_FALSE(QFileInfo(link).isSymLink());
}

// A script file in `dir`; returns its path.
QString writeScript(const QTemporaryDir& dir, const QByteArray& text)
{
    QFile script(dir.filePath("script"));
    EXPECT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(text);
    return script.fileName();
}

TEST(TempboardProgram, ScriptedReadingsAreSentOnlyToAListener)
{
    QTemporaryDir dir;
    Simulator board(TEMPBOARD_PATH, { "--interval", "20", "--script", writeScript(dir, "25\r\n100\n9\n") });
    ::usleep(200000); // nobody listens yet: nothing may pile up for later
    Device device(board.path());
    EXPECT_EQ(device.readUntil("9C\r\n"), "25C\r\n100C\r\n9C\r\n");
}

TEST(IrboardProgram, SendsEachInputLineWithCrLf)
{
    Simulator board(IRBOARD_PATH, {});
    ASSERT_FALSE(board.path().isEmpty());
    Device device(board.path());
    board.process().write("FF30CF\nKEY 2\r\n\n");
    ASSERT_TRUE(board.process().waitForBytesWritten(5000));
    EXPECT_EQ(device.readUntil("KEY 2\r\n\r\n"), "FF30CF\r\nKEY 2\r\n\r\n");
}

TEST(IrboardProgram, ScriptWithDelays)
{
    QTemporaryDir dir;
    Simulator board(IRBOARD_PATH, { "--script", writeScript(dir, "A1\n@150\nB2\n") });
    Device device(board.path());
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(device.readUntil("B2\r\n"), "A1\r\nB2\r\n");
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(140));
}

TEST(TempboardProgram, HangsAfterItsReadingsWithTheDeviceOpen)
{
    Simulator board(TEMPBOARD_PATH, { "--interval", "20", "--hover", "40", "--hang-after", "3" });
    Device device(board.path());
    ASSERT_TRUE(device.ok());
    device.readUntil("never", 400);
    device.send("3");
    const std::string got = device.readUntil("never", 200);
    ASSERT_EQ(got.size(), 3 * 5u) << got;
    for (std::size_t i = 0; i < got.size(); i += 5)
        EXPECT_EQ(got.substr(i + 2, 3), "C\r\n");
    EXPECT_EQ(board.process().state(), QProcess::Running);
}

TEST(IrboardProgram, HeldKeySendsRepeatLinesWhileHeld)
{
    Simulator board(IRBOARD_PATH, {});
    Device device(board.path());
    board.process().write("20DF40BF*500\nNEXT\n");
    ASSERT_TRUE(board.process().waitForBytesWritten(5000));
    const auto start = std::chrono::steady_clock::now();
    std::string repeats;
    for (int i = 0; i < 5; ++i)
        repeats += "FFFFFFFF\r\n";
    EXPECT_EQ(device.readUntil("NEXT\r\n"), "20DF40BF\r\n" + repeats + "NEXT\r\n");
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(470));
}

TEST(BoardPrograms, HelpAndBadOptions)
{
    for (const char* program : { TEMPBOARD_PATH, IRBOARD_PATH }) {
        QProcess help;
        help.start(QString::fromUtf8(program), { "--help" });
        ASSERT_TRUE(help.waitForFinished(5000));
        EXPECT_EQ(help.exitCode(), 0);
        EXPECT_TRUE(help.readAllStandardOutput().startsWith("Usage:"));
        QProcess bad;
        bad.start(QString::fromUtf8(program), { "--interval", "x", "--bogus" });
        ASSERT_TRUE(bad.waitForFinished(5000));
        EXPECT_EQ(bad.exitCode(), 2) << program;
    }
}

} // namespace
