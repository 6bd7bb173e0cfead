// The panel following the devices: ports named by paths that appear and vanish,
// a device lost while connected and returning under the same name, and the
// operator's disconnect, which nothing undoes. Devices are pseudo-terminals
// reached through symbolic links, as a by-id link reaches an adapter.
#include "comport.h"
#include "connectionpanel.h"
#include "portfollower.h"
#include "ptypair.h"
#include "shelltestsupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace {

class FollowerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int i = 0; i < 4; ++i)
            saved[size_t(i)] = ComPort::devicePath(i + 1);
    }
    void TearDown() override
    {
        for (int i = 0; i < 4; ++i)
            ComPort::setDevicePath(i + 1, saved[size_t(i)]);
    }
    // COM1 and COM2 are links in a temporary folder; COM3 and COM4 name nothing.
    void start()
    {
        follower = new PortFollower(panel, { com1, com2, "/nonexistent/3", "/nonexistent/4" }, {});
        follower->start();
        panel.probe();
    }
    static void plug(const PtyPair& pty, const QString& link)
    {
        QFile::remove(link);
        ASSERT_TRUE(QFile::link(QString::fromStdString(pty.slavePath()), link));
    }
    bool connected() const { return port.PortOpen() && panel.cmdDisconnect()->isEnabled(); }

    std::array<QString, 4> saved;
    QTemporaryDir dir;
    const QString com1 = dir.filePath("com1");
    const QString com2 = dir.filePath("com2");
    ComPort port;
    ConnectionPanel panel { port, ConnectionPanel::Arrangement::Column };
    PortFollower* follower = nullptr;
};

TEST_F(FollowerTest, PathsThatAppearAndVanishFollowWithinTwoSeconds)
{
    PtyPair board;
    plug(board, com1);
    start();
    EXPECT_TRUE(panel.optComPort(0)->isEnabled());
    EXPECT_FALSE(panel.optComPort(1)->isEnabled());
    EXPECT_EQ(panel.optComPort(1)->toolTip(), com2 + "\n来自命令行参数 --com2");
    EXPECT_EQ(panel.optComPort(1)->accessibleDescription(), panel.optComPort(1)->toolTip());

    PtyPair late;
    plug(late, com2);
    EXPECT_TRUE(waitUntil([&] { return panel.optComPort(1)->isEnabled(); }, 2000));
    QFile::remove(com1);
    EXPECT_TRUE(waitUntil([&] { return !panel.optComPort(0)->isEnabled(); }, 2000));
    EXPECT_FALSE(port.PortOpen()) << "checks leave the window's port alone";
}

TEST_F(FollowerTest, LostDeviceIsReconnectedWhenItReturnsButNeverAfterDisconnect)
{
    auto board = std::make_unique<PtyPair>();
    plug(*board, com1);
    start();
    QSignalSpy changes(&panel, &ConnectionPanel::linkChanged);
    panel.cmdConnect()->click();
    ASSERT_TRUE(connected());

    board->closeMaster(); // unplugged
    ASSERT_TRUE(waitUntil([&] { return !port.PortOpen(); }));
    EXPECT_EQ(panel.lblStatus()->text(), "已断开...");
    EXPECT_TRUE(waitUntil([&] { return !panel.optComPort(0)->isEnabled(); }, 2000));

    board = std::make_unique<PtyPair>(); // plugged back in: a new node behind the same name
    plug(*board, com1);
    QElapsedTimer returned;
    returned.start();
    ASSERT_TRUE(waitUntil([&] { return connected(); }, 5000));
    EXPECT_LT(returned.elapsed(), 2000);
    EXPECT_TRUE(board->listenerPresent());
    EXPECT_TRUE(panel.optComPort(0)->isEnabled() && panel.optComPort(0)->isChecked());
    EXPECT_EQ(panel.lblStatus()->text(), "设备已重新接入，已自动连接...");
    const QList<LinkChange> expected { LinkChange::Connected, LinkChange::Lost, LinkChange::Reconnected };
    QList<LinkChange> seen;
    for (const QList<QVariant>& args : changes)
        seen << args[0].value<LinkChange>();
    EXPECT_EQ(seen, expected);

    panel.cmdDisconnect()->click();
    board = std::make_unique<PtyPair>();
    plug(*board, com1);
    EXPECT_FALSE(waitUntil([&] { return port.PortOpen(); }, 1500)) << "the operator's disconnect stands";
    EXPECT_EQ(follower->state().link(), ReconnectState::Link::Idle);
}

} // namespace
