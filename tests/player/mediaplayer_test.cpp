// Real playback of generated media through the embedded player.
#include "letgoitem.h"
#include "mediaplayer.h"
#include "playertestsupport.h"
#include "seekslider.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QImage>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QSignalSpy>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

constexpr int kWait = 10000; // generous: the machine is shared

class MediaPlayerTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        wav = tmp.filePath(QStringLiteral("tone.wav"));
        playertest::writeWav(wav, 3000);
    }
    QTemporaryDir tmp;
    QString wav;
    MediaPlayer p;
};

TEST_F(MediaPlayerTest, StartsEmptyAtVolumeFiftyNotMuted)
{
    EXPECT_TRUE(p.URL().isEmpty());
    EXPECT_EQ(p.playState(), MediaPlayer::Undefined);
    EXPECT_EQ(p.settings.volume(), 50);
    EXPECT_FALSE(p.settings.mute());
    EXPECT_EQ(p.currentMedia.durationString(), QStringLiteral("00:00"));
    EXPECT_EQ(p.controls.currentPositionString(), QStringLiteral("00:00"));
}

TEST_F(MediaPlayerTest, UrlOpensWithoutStartingThenPlayAdvancesEvenWithoutSoundDevice)
{
    p.setURL(wav);
    EXPECT_EQ(p.URL(), wav);
    EXPECT_NE(p.playState(), MediaPlayer::Playing);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return p.currentMedia.durationString() == QStringLiteral("00:03"); }, kWait));
    EXPECT_NE(p.playState(), MediaPlayer::Playing);
    p.controls.play();
    EXPECT_EQ(p.playState(), MediaPlayer::Playing);
    // With or without an output device, the position moves on.
    if (QMediaDevices::audioOutputs().isEmpty())
        std::cout << "[ info ] no audio output: playback runs silently\n";
    EXPECT_TRUE(QTest::qWaitFor([&] { return p.engine().position() > 300; }, kWait));
}

TEST_F(MediaPlayerTest, PauseAndResumeReportTheirStates)
{
    p.setURL(wav);
    p.controls.play();
    ASSERT_TRUE(QTest::qWaitFor([&] { return p.engine().position() > 100; }, kWait));
    p.controls.pause();
    EXPECT_EQ(p.playState(), MediaPlayer::Paused);
    QTest::qWait(200); // let the last position report arrive
    const qint64 at = p.engine().position();
    QTest::qWait(500);
    EXPECT_LE(p.engine().position(), at + 20);
    p.controls.play();
    EXPECT_EQ(p.playState(), MediaPlayer::Playing);
    EXPECT_TRUE(QTest::qWaitFor([&] { return p.engine().position() > at + 200; }, kWait));
}

TEST_F(MediaPlayerTest, PlaysOnceAndEnds)
{
    const QString shortWav = tmp.filePath(QStringLiteral("short.wav"));
    playertest::writeWav(shortWav, 400);
    p.setURL(shortWav);
    p.controls.play();
    EXPECT_TRUE(QTest::qWaitFor([&] { return p.playState() == MediaPlayer::MediaEnded; }, kWait));
    // Nothing moves on by itself.
    QTest::qWait(200);
    EXPECT_EQ(p.playState(), MediaPlayer::MediaEnded);
}

TEST_F(MediaPlayerTest, SameUrlAgainRestartsFromTheBeginning)
{
    p.setURL(wav);
    p.controls.play();
    ASSERT_TRUE(QTest::qWaitFor([&] { return p.engine().position() > 800; }, kWait));
    p.setURL(wav);
    EXPECT_LT(p.engine().position(), 800);
    p.controls.play();
    EXPECT_EQ(p.playState(), MediaPlayer::Playing);
}

TEST_F(MediaPlayerTest, CloseStopsAndReleasesTheItem)
{
    p.setURL(wav);
    p.controls.play();
    p.close();
    EXPECT_TRUE(p.URL().isEmpty());
    EXPECT_EQ(p.playState(), MediaPlayer::Undefined);
    EXPECT_TRUE(p.engine().source().isEmpty());
}

TEST_F(MediaPlayerTest, VolumeIsClampedAndMuteToggles)
{
    p.settings.setVolume(98 + 3);
    EXPECT_EQ(p.settings.volume(), 100);
    p.settings.setVolume(2 - 3);
    EXPECT_EQ(p.settings.volume(), 0);
    p.settings.setVolume(47);
    EXPECT_EQ(p.settings.volume(), 47);
    EXPECT_FLOAT_EQ(p.engine().audioOutput()->volume(), 0.47f);
    p.settings.setMute(true);
    EXPECT_TRUE(p.settings.mute());
    EXPECT_TRUE(p.engine().audioOutput()->isMuted());
    p.settings.setMute(false);
    EXPECT_FALSE(p.engine().audioOutput()->isMuted());
}

TEST_F(MediaPlayerTest, PictureIsShownInsteadOfPlayed)
{
    const QString png = tmp.filePath(QStringLiteral("pic.PNG"));
    QImage img(40, 20, QImage::Format_RGB32);
    img.fill(Qt::red);
    ASSERT_TRUE(img.save(png, "PNG"));
    p.resize(400, 300);
    p.setURL(png);
    p.controls.play();
    EXPECT_TRUE(p.showingPicture());
    EXPECT_EQ(p.URL(), png);
    EXPECT_NE(p.playState(), MediaPlayer::Playing);
    // Another file leaves the picture.
    p.setURL(wav);
    EXPECT_FALSE(p.showingPicture());
}

TEST_F(MediaPlayerTest, UnplayableFileLeavesThePlayerWorking)
{
    const QString junk = tmp.filePath(QStringLiteral("junk.mp3"));
    QFile f(junk);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    p.setURL(junk);
    p.controls.play();
    QTest::qWait(300);
    EXPECT_NE(p.playState(), MediaPlayer::Paused);
    p.setURL(wav);
    p.controls.play();
    EXPECT_EQ(p.playState(), MediaPlayer::Playing);
    p.setURL(tmp.filePath(QStringLiteral("missing.wav")));
    p.controls.play();
    QTest::qWait(100);
    EXPECT_EQ(p.URL(), tmp.filePath(QStringLiteral("missing.wav")));
}

// Whether this process has the file open (what keeps its disk from being
// unmounted).
bool holdsOpen(const QString& path)
{
    namespace fs = std::filesystem;
    const fs::path file = fs::canonical(path.toStdString());
    std::error_code ec;
    for (const auto& fd : fs::directory_iterator("/proc/self/fd", ec)) {
        std::error_code gone; // the listing's own descriptor is closed by now
        if (fs::read_symlink(fd.path(), gone) == file)
            return true;
    }
    return false;
}

// An item stopped, ended or unplayable is let go of, so its disk can be
// ejected, and the player still tells what it told before about the item.
TEST_F(MediaPlayerTest, LetsGoOfTheFileWhenStoppedEndedOrUnplayable)
{
    p.setURL(wav);
    p.controls.play();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return p.engine().position() > 300 && p.engine().duration() == 3000; }, kWait));
    ASSERT_TRUE(holdsOpen(wav)); // the scan sees what the engine holds
    p.controls.stop();
    const QString stoppedAt = p.controls.currentPositionString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !holdsOpen(wav); }, kWait));
    EXPECT_EQ(p.playState(), MediaPlayer::Stopped);
    EXPECT_EQ(p.URL(), wav);
    EXPECT_EQ(p.currentMedia.durationString(), QStringLiteral("00:03"));
    EXPECT_EQ(p.controls.currentPositionString(), stoppedAt);
    p.controls.play();
    EXPECT_EQ(p.playState(), MediaPlayer::Playing);
    EXPECT_TRUE(QTest::qWaitFor([&] { return p.engine().position() > 300; }, kWait));
    // A move while let go of is where playing it again begins.
    p.controls.stop();
    p.setPosition(2000);
    EXPECT_EQ(p.controls.currentPositionString(), QStringLiteral("00:02"));
    p.controls.play();
    EXPECT_TRUE(QTest::qWaitFor([&] { return p.engine().position() > 2100; }, kWait));

    const QString shortWav = tmp.filePath(QStringLiteral("short.wav"));
    playertest::writeWav(shortWav, 1200);
    p.setURL(shortWav);
    p.controls.play();
    ASSERT_TRUE(QTest::qWaitFor([&] { return p.playState() == MediaPlayer::MediaEnded; }, kWait));
    const QString length = p.currentMedia.durationString();
    const QString endedAt = p.controls.currentPositionString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !holdsOpen(shortWav); }, kWait));
    EXPECT_EQ(p.playState(), MediaPlayer::MediaEnded);
    EXPECT_EQ(p.currentMedia.durationString(), length);
    EXPECT_EQ(p.controls.currentPositionString(), endedAt);

    const QString junk = tmp.filePath(QStringLiteral("junk.mp3"));
    QFile f(junk);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    QSignalSpy told(&p, &MediaPlayer::unplayable);
    p.setURL(junk);
    p.controls.play();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !told.isEmpty(); }, kWait));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !holdsOpen(junk); }, kWait));
    QTest::qWait(300);
    EXPECT_EQ(told.size(), 1);
    EXPECT_EQ(p.playState(), MediaPlayer::Undefined);
    // Chosen again, the broken file is tried and reported again.
    p.setURL(junk);
    p.controls.play();
    EXPECT_TRUE(QTest::qWaitFor([&] { return told.size() == 2; }, kWait));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !holdsOpen(junk); }, kWait));
}

struct SeekCase {
    const char* name;
    int from;
    Qt::Key key;
    int expected;
};

class SeekKeys : public testing::TestWithParam<SeekCase> { };

TEST_P(SeekKeys, StepFromTheCurrentPositionWithinTheItem)
{
    SeekSlider s;
    s.setRange(0, 100000);
    s.setValue(GetParam().from);
    QSignalSpy seeks(&s, &SeekSlider::seekRequested);
    QTest::keyClick(&s, GetParam().key);
    ASSERT_EQ(seeks.count(), 1);
    EXPECT_EQ(seeks.front().front().toInt(), GetParam().expected);
    EXPECT_EQ(s.value(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Keys, SeekKeys,
    testing::Values(SeekCase { "Right", 50000, Qt::Key_Right, 55000 },
        SeekCase { "Left", 50000, Qt::Key_Left, 45000 }, SeekCase { "PageUp", 50000, Qt::Key_PageUp, 80000 },
        SeekCase { "PageDown", 50000, Qt::Key_PageDown, 20000 },
        SeekCase { "PastTheEnd", 98000, Qt::Key_Right, 100000 },
        SeekCase { "BeforeTheStart", 12000, Qt::Key_PageDown, 0 }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MediaPlayerTest, ClickOnThePositionGrooveSeeksThere)
{
    p.resize(600, 300);
    p.show();
    p.setURL(wav);
    ASSERT_TRUE(QTest::qWaitFor([&] { return p.engine().duration() > 2900; }, kWait));
    SeekSlider& slider = p.positionSlider();
    ASSERT_EQ(slider.maximum(), p.engine().duration());
    QTest::mouseClick(&slider, Qt::LeftButton, {}, QPoint(slider.width() * 3 / 4, slider.height() / 2));
    EXPECT_NEAR(double(p.engine().position()), 0.75 * double(p.engine().duration()), 300.0);
}

bool showsIcon(const QToolButton& button, QStyle::StandardPixmap icon)
{
    const QImage shown = button.icon().pixmap(16).toImage();
    return shown == button.style()->standardIcon(icon).pixmap(16).toImage();
}

// The mute button tells the truth however the state changed: the remote
// (settings.setMute) or a click.
TEST_F(MediaPlayerTest, MuteButtonFollowsEveryChange)
{
    QToolButton& button = p.muteButton();
    ASSERT_FALSE(showsIcon(button, QStyle::SP_MediaVolume) && showsIcon(button, QStyle::SP_MediaVolumeMuted));
    button.click();
    EXPECT_TRUE(p.settings.mute());
    EXPECT_TRUE(button.isChecked());
    EXPECT_TRUE(showsIcon(button, QStyle::SP_MediaVolumeMuted));
    p.settings.setMute(false);
    EXPECT_FALSE(button.isChecked());
    EXPECT_TRUE(showsIcon(button, QStyle::SP_MediaVolume));
    p.settings.setMute(true);
    button.click();
    EXPECT_FALSE(p.settings.mute());
    EXPECT_FALSE(button.isChecked());
    EXPECT_TRUE(showsIcon(button, QStyle::SP_MediaVolume));
}

} // namespace

namespace {

// The let-go rule alone: what is told while the file is let go of, after it
// is opened again, and where playing it again starts.
TEST(LetGoItem, KeptUntilReopenedThenTheEngineSpeaks)
{
    LetGoItem item;
    SongTags song;
    song.title = QStringLiteral("歌");
    EXPECT_EQ(item.position(7), 7) << "nothing let go of: the engine's answers";
    EXPECT_FALSE(item.moveTo(100));

    item.letGo({ 8, 61000, 180000, true, song });
    EXPECT_TRUE(item.letGoOf());
    EXPECT_EQ(item.state(0), 8);
    EXPECT_EQ(item.position(0), 61000);
    EXPECT_EQ(item.duration(0), 180000);
    EXPECT_TRUE(item.seekable(false));
    EXPECT_EQ(item.tags({}).title, song.title);
    EXPECT_TRUE(item.moveTo(90000));
    EXPECT_EQ(item.position(0), 90000);

    item.reopen();
    EXPECT_FALSE(item.letGoOf());
    EXPECT_EQ(item.position(5), 5);
    EXPECT_EQ(item.duration(0), 180000) << "kept until the engine knows it";
    EXPECT_EQ(item.duration(179000), 179000);
    EXPECT_EQ(item.tags({}).title, song.title);
    EXPECT_EQ(item.takeStart(), 90000) << "played again from where it was moved";
    EXPECT_EQ(item.takeStart(), 0);

    item.forget();
    EXPECT_EQ(item.duration(0), 0);
    EXPECT_TRUE(item.tags({}).isEmpty());
}

} // namespace
