// End to end: the infrared receiver simulator on a pseudo-terminal drives
// the real window through a real serial port.
#include "formfixture.h"
#include "listboxes.h"
#include "mediaplayer.h"

#include "comport.h"
#include "connectionpanel.h"

#include "inifile.h"

#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
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

#ifdef IRBOARD_PATH
// The simulator reading keys from its standard input, the window connected
// to it.
class IrBoardTyped : public FormFixture {
protected:
    Form1& connectBoard(const QStringList& codes)
    {
        board.start(QStringLiteral(IRBOARD_PATH), QStringList {});
        EXPECT_TRUE(board.waitForStarted());
        EXPECT_TRUE(QTest::qWaitFor([&] { return board.canReadLine(); }, 10000));
        playertest::context().devices.setPath(1, QString::fromLocal8Bit(board.readLine()).trimmed());
        Form1& f = open(codes);
        f.panel()->cmdConnect_Click();
        EXPECT_TRUE(f.port().PortOpen());
        return f;
    }

    // Types a line and waits until the window shows `shown`, then for the
    // repeats of a held key to end.
    bool type(const char* line, const QString& shown, int holdMs = 0)
    {
        board.write(QByteArray(line) + '\n');
        if (!QTest::qWaitFor([&] { return form->txtBarcode()->text() == shown; }, 10000))
            return false;
        QTest::qWait(holdMs + 300);
        return true;
    }

    void TearDown() override
    {
        board.terminate();
        EXPECT_TRUE(board.waitForFinished(5000));
        playertest::useAbsentPorts();
        FormFixture::TearDown();
    }

    QProcess board;
};

TEST_F(IrBoardTyped, HeldVolumeStepsAgainAndHeldSongKeyChoosesOnce)
{
    Form1& f = connectBoard(taught());
    ASSERT_TRUE(type("K7*1500", QLatin1String("FFFFFFFF"), 1500));
    EXPECT_GT(f.wmp1()->settings.volume(), 56) << "more than one step while held";
    EXPECT_EQ(f.form2()->Text7()->text(), QStringLiteral("K7"));
    ASSERT_TRUE(type("K6*1000", QLatin1String("FFFFFFFF"), 1000));
    EXPECT_EQ(f.File1()->ListIndex(), 0);
}

// The operator holds the key a little too long while teaching it: the row
// keeps the key's code, and that is what "保存" stores.
TEST_F(IrBoardTyped, KeyHeldWhileTeachingIsSavedAsItsOwnCode)
{
    Form1& f = connectBoard({});
    ASSERT_TRUE(type("X", QStringLiteral("X")));
    f.form2()->show();
    f.form2()->Opt(7)->click();
    ASSERT_TRUE(type("20DF40BF*800", QLatin1String("FFFFFFFF"), 800));
    EXPECT_EQ(f.form2()->Text1(6)->text(), QStringLiteral("20DF40BF"));
    playertest::ModalWatcher answer;
    f.form2()->Command1_Click();
    EXPECT_EQ(
        GetFromINI(QStringLiteral("IRCODE"), QStringLiteral("KEYCODE7"), playertest::context().settingsPath),
        QStringLiteral("20DF40BF"));
}
#endif

} // namespace
