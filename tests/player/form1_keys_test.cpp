// The main window driven by key lines: framing, dispatch and the actions on
// the lists and the player.
#include "formfixture.h"
#include "infotext.h"
#include "listboxes.h"
#include "mediaplayer.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "connectionpanel.h"

namespace {

constexpr int kWait = 10000;

using Form1Keys = FormFixture;

TEST_F(Form1Keys, NothingShowsUntilTheLineEnds)
{
    Form1& f = open(taught());
    for (const char* c : { "A", "B", "\r" })
        f.receive(QLatin1String(c));
    EXPECT_TRUE(f.txtBarcode()->text().isEmpty());
    EXPECT_EQ(f.panel()->lblStatus()->text(), QStringLiteral("空闲"));
    f.receive(QStringLiteral("\n"));
    EXPECT_EQ(f.txtBarcode()->text(), QStringLiteral("AB"));
    EXPECT_EQ(f.panel()->lblStatus()->text(), QStringLiteral("连接控制器成功！"));
    // Nothing matched: no file chosen, volume as it was.
    EXPECT_EQ(f.File1()->ListIndex(), -1);
    EXPECT_EQ(f.wmp1()->settings.volume(), 50);
}

TEST_F(Form1Keys, CodesMatchExactlyAndCaseSensitively)
{
    QStringList codes = taught();
    codes[6] = QStringLiteral("a1");
    Form1& f = open(codes);
    key(QStringLiteral("A1"));
    key(QStringLiteral("a1 "));
    EXPECT_EQ(f.wmp1()->settings.volume(), 50);
    key(QStringLiteral("a1"));
    EXPECT_EQ(f.wmp1()->settings.volume(), 53);
}

TEST_F(Form1Keys, EmptyLineRunsEveryUntaughtFunction)
{
    QStringList codes = taught();
    codes[6].clear(); // VolumeUp
    codes[11].clear(); // MuteToggle
    Form1& f = open(codes);
    key(QString());
    EXPECT_EQ(f.wmp1()->settings.volume(), 53);
    EXPECT_TRUE(f.wmp1()->settings.mute());
    key(QString());
    EXPECT_EQ(f.wmp1()->settings.volume(), 56);
    EXPECT_FALSE(f.wmp1()->settings.mute());
}

TEST_F(Form1Keys, VolumeStaysInsideItsRange)
{
    Form1& f = open(taught());
    f.wmp1()->settings.setVolume(98);
    key(QStringLiteral("K7"));
    EXPECT_EQ(f.wmp1()->settings.volume(), 100);
    f.wmp1()->settings.setVolume(2);
    key(QStringLiteral("K8"));
    EXPECT_EQ(f.wmp1()->settings.volume(), 0);
}

TEST_F(Form1Keys, FirstSongFromNoSelectionIsOpenedPlayedAndDescribed)
{
    Form1& f = open(taught());
    EXPECT_FALSE(f.Timer1().isActive());
    key(QStringLiteral("K6"));
    ASSERT_EQ(f.File1()->ListIndex(), 0);
    const QString full = root + QStringLiteral("/a.wav");
    EXPECT_EQ(f.wmp1()->URL(), full);
    EXPECT_EQ(f.wmp1()->playState(), MediaPlayer::Playing);
    EXPECT_EQ(f.Label1()->text(),
        QStringLiteral("当前文件：") + full + QStringLiteral("\n\n文件大小：")
            + SizeText(QFileInfo(full).size()) + QStringLiteral("\n\n"));
    EXPECT_TRUE(f.Timer1().isActive());
    EXPECT_EQ(f.Timer1().interval(), 100);
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.Text2()->text() == QStringLiteral("00:01"); }, kWait));
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.Text1()->text() == QStringLiteral("00:01"); }, kWait));
}

TEST_F(Form1Keys, SongKeysStopAtTheEndsOfTheList)
{
    Form1& f = open(taught());
    key(QStringLiteral("K5")); // nothing selected: nothing before it
    EXPECT_EQ(f.File1()->ListIndex(), -1);
    EXPECT_FALSE(f.Timer1().isActive());
    for (int i = 0; i < 5; ++i)
        key(QStringLiteral("K6"));
    EXPECT_EQ(f.File1()->ListIndex(), 2);
    EXPECT_EQ(f.File1()->FileName(), QStringLiteral("c.WAV"));
    for (int i = 0; i < 5; ++i)
        key(QStringLiteral("K5"));
    EXPECT_EQ(f.File1()->ListIndex(), 0);
}

TEST_F(Form1Keys, EmptyFileListIgnoresSongKeys)
{
    Form1& f = open(taught());
    f.Dir1()->setPath(path("sub2"));
    key(QStringLiteral("K6"));
    EXPECT_EQ(f.File1()->ListIndex(), -1);
    EXPECT_TRUE(f.wmp1()->URL().isEmpty());
}

TEST_F(Form1Keys, SharedSongCodeRunsNextThenPrevious)
{
    QStringList codes = taught();
    codes[4] = codes[5] = QStringLiteral("S");
    Form1& f = open(codes);
    f.File1()->setListIndex(1);
    std::vector<int> chosen;
    QObject::connect(f.File1(), &FileListBox::Click, [&] { chosen.push_back(f.File1()->ListIndex()); });
    key(QStringLiteral("S"));
    EXPECT_EQ(chosen, (std::vector<int> { 2, 1 }));
    EXPECT_EQ(f.wmp1()->URL(), root + QStringLiteral("/b.wav"));
}

TEST_F(Form1Keys, FolderHighlightMovesUpToTheOpenFolderOnly)
{
    Form1& f = open(taught());
    DirListBox& dir = *f.Dir1();
    ASSERT_EQ(dir.Path(), root);
    ASSERT_EQ(dir.ListCount(), 4);
    key(QStringLiteral("K4"));
    EXPECT_EQ(dir.ListIndex(), 0);
    key(QStringLiteral("K3"));
    EXPECT_EQ(dir.ListIndex(), -1);
    key(QStringLiteral("K3"));
    EXPECT_EQ(dir.ListIndex(), -1);
    for (int i = 0; i < 6; ++i)
        key(QStringLiteral("K4"));
    EXPECT_EQ(dir.ListIndex(), 3);
    // Moving the highlight opens nothing.
    EXPECT_EQ(dir.Path(), root);
    EXPECT_EQ(f.File1()->ListCount(), 3);
}

TEST_F(Form1Keys, EnterOpensTheHighlightedFolderOrReopensTheOpenOne)
{
    Form1& f = open(taught());
    QSignalSpy changes(f.Dir1(), &DirListBox::Change);
    key(QStringLiteral("K9"));
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(f.Dir1()->Path(), root);
    key(QStringLiteral("K4")); // drive2
    key(QStringLiteral("K4")); // sub1
    key(QStringLiteral("K9"));
    EXPECT_EQ(f.Dir1()->Path(), path("sub1"));
    EXPECT_EQ(f.Dir1()->ListIndex(), -1);
    EXPECT_EQ(f.File1()->Path(), path("sub1"));
    EXPECT_EQ(f.File1()->ListCount(), 1);
    EXPECT_EQ(f.File1()->ListIndex(), -1);
}

TEST_F(Form1Keys, PlayPauseTogglesOnlyWhilePlayingOrPaused)
{
    Form1& f = open(taught());
    key(QStringLiteral("K11"));
    EXPECT_EQ(f.wmp1()->playState(), MediaPlayer::Undefined);
    f.Dir1()->setPath(path("sub1"));
    key(QStringLiteral("K6"));
    ASSERT_EQ(f.wmp1()->playState(), MediaPlayer::Playing);
    key(QStringLiteral("K11"));
    EXPECT_EQ(f.wmp1()->playState(), MediaPlayer::Paused);
    key(QStringLiteral("K11"));
    EXPECT_EQ(f.wmp1()->playState(), MediaPlayer::Playing);
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.wmp1()->playState() == MediaPlayer::MediaEnded; }, kWait));
    key(QStringLiteral("K11"));
    EXPECT_EQ(f.wmp1()->playState(), MediaPlayer::MediaEnded);
}

TEST_F(Form1Keys, MuteKeyToggles)
{
    Form1& f = open(taught());
    key(QStringLiteral("K12"));
    EXPECT_TRUE(f.wmp1()->settings.mute());
    key(QStringLiteral("K12"));
    EXPECT_FALSE(f.wmp1()->settings.mute());
}

} // namespace
