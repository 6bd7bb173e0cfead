// End to end: the infrared receiver simulator on a pseudo-terminal drives
// the real window through a real serial port.
#include "formfixture.h"
#include "listboxes.h"
#include "mediaplayer.h"

#include "comport.h"
#include "connectionpanel.h"

#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTest>

namespace {

using IrBoardEndToEnd = FormFixture;

TEST_F(IrBoardEndToEnd, ScriptedKeysDriveListsAndPlayer)
{
#ifndef IRBOARD_PATH
    GTEST_SKIP() << "irboard is not part of this build";
#else
    const QString script = path("keys.txt");
    QFile keys(script);
    ASSERT_TRUE(keys.open(QIODevice::WriteOnly));
    keys.write("K6\nK7\nK7\nunknown\nK11\nK12\n");
    keys.close();
    // Long enough to be still playing when the play/pause key arrives.
    playertest::writeWav(path("a.wav"), 30000);

    QProcess board;
    board.start(QStringLiteral(IRBOARD_PATH), { QStringLiteral("--script"), script });
    ASSERT_TRUE(board.waitForStarted());
    ASSERT_TRUE(QTest::qWaitFor([&] { return board.canReadLine(); }, 10000));
    const QString device = QString::fromLocal8Bit(board.readLine()).trimmed();
    ASSERT_TRUE(device.startsWith(QStringLiteral("/dev/"))) << device.toStdString();
    playertest::context().devices.setPath(1, device);

    Form1& f = open(taught());
    f.panel()->cmdConnect_Click();
    ASSERT_TRUE(f.port().PortOpen());
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.txtBarcode()->text() == QStringLiteral("K12"); }, 15000));
    EXPECT_EQ(f.File1()->FileName(), QStringLiteral("a.wav"));
    EXPECT_EQ(f.wmp1()->URL(), path("a.wav"));
    EXPECT_EQ(f.wmp1()->settings.volume(), 56);
    EXPECT_EQ(f.wmp1()->playState(), MediaPlayer::Paused);
    EXPECT_TRUE(f.wmp1()->settings.mute());
    EXPECT_TRUE(f.Timer1().isActive());
    EXPECT_EQ(f.panel()->lblStatus()->text(), QStringLiteral("连接控制器成功！"));
    // Every line also reached the setup window, loaded hidden.
    ASSERT_NE(f.form2(), nullptr);
    EXPECT_FALSE(f.form2()->isVisible());

    f.panel()->cmdDisconnect_Click();
    board.terminate();
    EXPECT_TRUE(board.waitForFinished(5000));
    playertest::useAbsentPorts();
#endif
}

} // namespace
