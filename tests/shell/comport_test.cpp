// ComPort on real pseudo-terminal pairs.
#include "comport.h"
#include "comreceiver.h"
#include "ptypair.h"
#include "shelltestsupport.h"

#include <QEventLoop>
#include <QFile>
#include <QSignalSpy>
#include <QStringList>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>
#include <sys/stat.h>

namespace {

class ComPortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty.ok());
        port.devices().setPath(2, QString::fromStdString(pty.slavePath()));
        port.setCommPort(2);
        port.setInputLen(1);
        port.setRThreshold(1);
    }

    PtyPair pty;
    ComPort port;
};

TEST_F(ComPortTest, BurstGivesOneEventPerCharacterInOrder)
{
    std::string sent;
    for (int i = 0; i < 1000; ++i)
        sent += char('!' + i % 90);
    port.setPortOpen(true);
    QString received;
    int events = 0;
    QObject::connect(&port, &ComPort::OnComm, [&] {
        ++events;
        EXPECT_EQ(port.CommEvent(), ComPort::kEvReceive);
        received += port.Input();
    });
    ASSERT_TRUE(pty.write(sent));
    ASSERT_TRUE(waitUntil([&] { return received.size() == 1000; }));
    EXPECT_EQ(events, 1000);
    EXPECT_EQ(received.toLatin1().toStdString(), sent);
    EXPECT_EQ(port.Input(), QString()); // nothing left waiting
}

TEST_F(ComPortTest, EveryByteValuePassesUnchangedBothWays)
{
    port.setPortOpen(true);
    QString all;
    for (int c = 0; c < 256; ++c)
        all += QChar(c);
    port.Output(all);
    std::string out;
    ASSERT_TRUE(waitUntil([&] { return (out += pty.read(0)).size() >= 256; }));
    ASSERT_EQ(out.size(), 256u);
    for (int c = 0; c < 256; ++c)
        EXPECT_EQ(static_cast<unsigned char>(out[size_t(c)]), c);

    QString in;
    QObject::connect(&port, &ComPort::OnComm, [&] { in += port.Input(); });
    ASSERT_TRUE(pty.write(out));
    ASSERT_TRUE(waitUntil([&] { return in.size() == 256; }));
    EXPECT_EQ(in, all);
}

// A handler that runs a nested event loop (as a modal box does) must not get a
// second OnComm inside itself; the characters wait and follow afterwards.
TEST_F(ComPortTest, EventIsNeverReentrant)
{
    port.setPortOpen(true);
    int depth = 0, deepest = 0;
    QString received;
    QObject::connect(&port, &ComPort::OnComm, [&] {
        deepest = std::max(deepest, ++depth);
        received += port.Input();
        if (received == "a") {
            EXPECT_TRUE(pty.write("bcd")); // arrives while the nested loop runs
            QEventLoop nested;
            QTimer::singleShot(150, &nested, &QEventLoop::quit);
            nested.exec();
        }
        --depth;
    });
    ASSERT_TRUE(pty.write("a"));
    ASSERT_TRUE(waitUntil([&] { return received.size() == 4; }));
    EXPECT_EQ(deepest, 1);
    EXPECT_EQ(received, "abcd");
}

TEST_F(ComPortTest, InputLenZeroTakesEverythingAndThresholdZeroIsSilent)
{
    port.setRThreshold(0);
    port.setInputLen(0);
    port.setPortOpen(true);
    QSignalSpy events(&port, &ComPort::OnComm);
    ASSERT_TRUE(pty.write("xyz"));
    ASSERT_TRUE(waitUntil([&] { return port.InBufferCount() == 3; }));
    EXPECT_EQ(port.Input(), "xyz");
    EXPECT_EQ(events.count(), 0);
}

TEST_F(ComPortTest, ErrorNumbersForTheirCases)
{
    const auto numberOf = [](const std::function<void()>& action) {
        try {
            action();
        } catch (const ComError& e) {
            EXPECT_FALSE(e.text.isEmpty());
            return e.number;
        }
        return 0;
    };
    EXPECT_EQ(numberOf([&] { port.setCommPort(0); }), 8002);
    EXPECT_EQ(numberOf([&] { port.setCommPort(5); }), 8002);
    EXPECT_EQ(port.CommPort(), 2);
    EXPECT_EQ(numberOf([&] { port.Output("3"); }), 8012);
    EXPECT_EQ(numberOf([&] { port.Input(); }), 8012);
    EXPECT_EQ(numberOf([&] { port.setPortOpen(false); }), 0); // closing a closed port is fine

    port.devices().setPath(3, "/dev/tuvela-no-such-device");
    port.setCommPort(3);
    EXPECT_EQ(numberOf([&] { port.setPortOpen(true); }), 68);
    port.devices().setPath(3, "");
    EXPECT_EQ(numberOf([&] { port.setPortOpen(true); }), 8002);
    port.devices().setPath(3, "/dev/ttyS2");
    EXPECT_FALSE(port.PortOpen());

    port.setCommPort(2);
    port.setPortOpen(true);
    ComPort other(port.devices()); // the same device as `port`
    other.setCommPort(2);
    EXPECT_EQ(numberOf([&] { other.setPortOpen(true); }), comerr::kDeviceBusy);
}

TEST_F(ComPortTest, PermissionDeniedHasItsOwnNumber)
{
    const QByteArray device = QByteArray::fromStdString(pty.slavePath());
    struct stat st { };
    ASSERT_EQ(::stat(device.constData(), &st), 0);
    ::chmod(device.constData(), 0);
    int number = 0;
    {
        PermissionChecks checks;
        try {
            port.setPortOpen(true);
        } catch (const ComError& e) {
            number = e.number;
        }
    }
    ::chmod(device.constData(), st.st_mode & 07777);
    EXPECT_EQ(number, comerr::kPermissionDenied);
}

TEST_F(ComPortTest, NewPortNumberWhileOpenTakesEffectAtNextOpen)
{
    PtyPair second;
    port.devices().setPath(4, QString::fromStdString(second.slavePath()));
    port.setPortOpen(true);
    port.setCommPort(4);
    EXPECT_EQ(port.currentDevice(), QString::fromStdString(pty.slavePath()));
    port.setPortOpen(false);
    port.setPortOpen(true);
    EXPECT_TRUE(second.listenerPresent());
    EXPECT_FALSE(pty.listenerPresent());
    port.devices().setPath(4, "/dev/ttyS3");
}

// The far end going away closes the port once, without a stream of errors, and
// a new device opens normally afterwards.
TEST_F(ComPortTest, VanishedDeviceClosesThePortAndReconnectWorks)
{
    port.setPortOpen(true);
    QSignalSpy lost(&port, &ComPort::deviceLost);
    pty.closeMaster();
    ASSERT_TRUE(waitUntil([&] { return !port.PortOpen(); }));
    waitUntil([] { return false; }, 200);
    EXPECT_EQ(lost.count(), 1);

    PtyPair back;
    port.devices().setPath(2, QString::fromStdString(back.slavePath()));
    port.setPortOpen(true);
    QString received;
    QObject::connect(&port, &ComPort::OnComm, [&] { received += port.Input(); });
    ASSERT_TRUE(back.write("25C\r\n"));
    EXPECT_TRUE(waitUntil([&] { return received == "25C\r\n"; }));
}

TEST_F(ComPortTest, ReceiveAdapterHandsEachReadToTheHandlerWhileItsOwnerLives)
{
    port.setPortOpen(true);
    QStringList chunks;
    auto owner = std::make_unique<QObject>();
    connectReceiver(port, owner.get(), [&](const QString& chunk) { chunks << chunk; });
    ASSERT_TRUE(pty.write("25X\r\n"));
    ASSERT_TRUE(waitUntil([&] { return chunks.size() == 5; }));
    EXPECT_EQ(chunks, (QStringList { "2", "5", "X", "\r", "\n" }));

    owner.reset();
    ASSERT_TRUE(pty.write("7"));
    ASSERT_TRUE(waitUntil([&] { return port.InBufferCount() == 1; }));
    waitUntil([] { return false; }, 100);
    EXPECT_EQ(chunks.size(), 5);
}

} // namespace
