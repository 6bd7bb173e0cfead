// The main window itself: start state, drives, closing, the serial line.
#include "formfixture.h"
#include "listboxes.h"
#include "mediaplayer.h"

#include "comport.h"
#include "connectionpanel.h"
#include "portlifetime.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QMediaPlayer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

namespace {

constexpr int kWait = 10000;

using Form1Window = FormFixture;

TEST_F(Form1Window, StartsOnTheCurrentFolderWithNothingChosen)
{
    Form1& f = open();
    EXPECT_EQ(f.Dir1()->Path(), root);
    EXPECT_EQ(f.Dir1()->ListIndex(), -1);
    EXPECT_EQ(f.File1()->Path(), root);
    EXPECT_EQ(f.File1()->ListIndex(), -1);
    EXPECT_EQ(f.File1()->ListCount(), 3);
    EXPECT_GE(f.Drive1()->ListCount(), 1);
    EXPECT_TRUE(root.startsWith(f.Drive1()->Drive()));
    EXPECT_TRUE(f.Label1()->text().isEmpty());
    EXPECT_EQ(f.Text1()->text(), QStringLiteral("00:00"));
    EXPECT_EQ(f.Text2()->text(), QStringLiteral("00:00"));
    EXPECT_FALSE(f.Timer1().isActive());
    EXPECT_EQ(f.wmp1()->settings.volume(), 50);
    EXPECT_EQ(f.panel()->lblStatus()->text(), QStringLiteral("空闲"));
    EXPECT_EQ(f.form2(), nullptr);
    EXPECT_EQ(f.size(), QSize(761, 613));
    for (QWidget* list : { static_cast<QWidget*>(f.Drive1()), static_cast<QWidget*>(f.Dir1()),
             static_cast<QWidget*>(f.File1()) })
        EXPECT_EQ(list->palette().color(QPalette::Base), QColor(224, 224, 224));
}

TEST_F(Form1Window, GoesWithItsPortOpen)
{
    open();
    PtyPair pty;
    EXPECT_TRUE(windowLetsGoOfPort(form, pty));
}

TEST_F(Form1Window, EveryControlHasAnAccessibleName)
{
    Form1& f = open();
    f.show();
    for (QWidget* w : f.findChildren<QWidget*>()) {
        if (w->focusPolicy() == Qt::NoFocus && !qobject_cast<QLineEdit*>(w))
            continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        ASSERT_NE(a, nullptr);
        EXPECT_FALSE(a->text(QAccessible::Name).isEmpty())
            << w->objectName().toStdString() << " " << w->metaObject()->className();
    }
    EXPECT_EQ(f.findChild<QPushButton*>(QStringLiteral("Command1"))->text(), QStringLiteral("设置遥控键值"));
    EXPECT_EQ(f.findChild<QPushButton*>(QStringLiteral("Command3"))->text(), QStringLiteral("退出程序"));
}

// The song information is what a screen reader reads, and a file that
// cannot be played says so there.
TEST_F(Form1Window, SongInformationIsReadAloudAndTellsWhyAFileDoesNotPlay)
{
    QFile junk(path("junk.mp3"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    Form1& f = open();
    f.File1()->setListIndex(3);
    ASSERT_EQ(f.File1()->FileName(), QStringLiteral("junk.mp3"));
    f.File1_Click();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return f.Label1()->text().contains(QStringLiteral("无法播放：junk.mp3（")); }, kWait));
    EXPECT_TRUE(f.Label1()->text().startsWith(QStringLiteral("当前文件：") + path("junk.mp3")));
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(f.Label1());
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->text(QAccessible::Name), f.Label1()->text());
}

TEST_F(Form1Window, DriveKeysStopAtTheFirstAndLastDrive)
{
    Form1& f = open(taught());
    f.Drive1()->setDrives({ path("drive2"), root, path("sub3") }, 0);
    QSignalSpy changes(f.Dir1(), &DirListBox::Change);
    key(QStringLiteral("K1"));
    EXPECT_EQ(changes.count(), 0);
    key(QStringLiteral("K2"));
    EXPECT_EQ(f.Drive1()->ListIndex(), 1);
    EXPECT_EQ(f.Dir1()->Path(), root);
    key(QStringLiteral("K2"));
    EXPECT_EQ(f.Dir1()->Path(), path("sub3"));
    EXPECT_EQ(f.File1()->Path(), path("sub3"));
    key(QStringLiteral("K2"));
    EXPECT_EQ(changes.count(), 2);
    EXPECT_EQ(f.Drive1()->ListIndex(), 2);
    key(QStringLiteral("K1"));
    EXPECT_EQ(f.Dir1()->Path(), root);
}

TEST_F(Form1Window, UnusableDriveIsReportedOnceAndTheListsStay)
{
    Form1& f = open(taught());
    f.Drive1()->setDrives({ root, path("gone") }, 0);
    f.Dir1()->setPath(path("sub1"));
    playertest::ModalWatcher watcher;
    key(QStringLiteral("K2"));
    EXPECT_EQ(watcher.titles, QStringList { QStringLiteral("错误提示") });
    EXPECT_EQ(watcher.texts, QStringList { QStringLiteral("请选择有效磁盘！") });
    EXPECT_EQ(f.Drive1()->ListIndex(), 1);
    EXPECT_EQ(f.Dir1()->Path(), path("sub1"));
    EXPECT_EQ(f.File1()->Path(), path("sub1"));
    // The handler went on after the box: the status was still set.
    EXPECT_EQ(f.panel()->lblStatus()->text(), QStringLiteral("连接控制器成功！"));
}

TEST_F(Form1Window, LeavingAFolderPassesTheFirstDriveThenTheSelectedOne)
{
    Form1& f = open(taught());
    f.Drive1()->setDrives({ path("drive2"), root }, 1);
    f.Dir1()->setPath(path("sub1"));
    QStringList visited;
    QObject::connect(f.Dir1(), &DirListBox::Change, [&] { visited << f.Dir1()->Path(); });
    key(QStringLiteral("K10"));
    EXPECT_EQ(visited, (QStringList { path("drive2"), root }));
    EXPECT_EQ(f.File1()->Path(), root);
    EXPECT_EQ(f.File1()->ListCount(), 3);
}

TEST_F(Form1Window, VanishedFileStillSetsTheInformationAndTimer)
{
    Form1& f = open();
    f.File1()->setListIndex(1);
    ASSERT_TRUE(QFile::remove(path("b.wav")));
    f.File1_Click();
    EXPECT_EQ(f.wmp1()->URL(), path("b.wav"));
    EXPECT_EQ(f.Label1()->text(),
        QStringLiteral("当前文件：") + path("b.wav") + QStringLiteral("\n\n文件大小：\n\n"));
    EXPECT_TRUE(f.Timer1().isActive());
}

TEST_F(Form1Window, ClickingTheSameFileAgainRestartsIt)
{
    Form1& f = open();
    f.File1()->setListIndex(0);
    f.File1()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.wmp1()->engine().position() > 500; }, kWait));
    f.File1()->click();
    EXPECT_EQ(f.wmp1()->playState(), MediaPlayer::Playing);
    EXPECT_LT(f.wmp1()->engine().position(), 500);
}

TEST_F(Form1Window, ClosingTheWindowClosesPortAndPlayer)
{
    Form1& f = open();
    f.File1()->setListIndex(0);
    f.File1()->click();
    f.show();
    EXPECT_TRUE(f.close());
    EXPECT_TRUE(f.wmp1()->URL().isEmpty());
    EXPECT_EQ(f.wmp1()->playState(), MediaPlayer::Undefined);
}

TEST_F(Form1Window, ExitProgramEndsAtOnce)
{
    EXPECT_EXIT(
        {
            Form1& f = open();
            f.findChild<QPushButton*>(QStringLiteral("Command3"))->click();
            std::abort();
        },
        testing::ExitedWithCode(0), "");
}

// A real port on one end of a pseudo-terminal pair, the test on the other.
TEST_F(Form1Window, KeyLinesArriveOverTheSerialPort)
{
    int master = -1;
    int slave = -1;
    char name[256] = {};
    ASSERT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
    playertest::context().devices.setPath(1, QString::fromLocal8Bit(name));
    Form1& f = open(taught());
    f.panel()->cmdConnect_Click();
    ASSERT_TRUE(f.port().PortOpen());
    const QByteArray lines = "noiseK7\r\nK7\r\n";
    ASSERT_EQ(::write(master, lines.constData(), size_t(lines.size())), lines.size());
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.wmp1()->settings.volume() == 53; }, kWait));
    EXPECT_EQ(f.txtBarcode()->text(), QStringLiteral("K7"));
    EXPECT_EQ(f.panel()->lblStatus()->text(), QStringLiteral("连接控制器成功！"));
    f.panel()->cmdDisconnect_Click();
    ::close(slave);
    ::close(master);
    playertest::useAbsentPorts();
}

} // namespace
