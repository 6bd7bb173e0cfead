// Every listed file type plays, shows or says why, with real files made here
// by GStreamer's encoders, Qt's image writers and by hand.
#include "mediaplayer.h"
#include "pictureview.h"
#include "playertestsupport.h"

#include <QBuffer>
#include <QDataStream>
#include <QFile>
#include <QImage>
#include <QMediaPlayer>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr int kWait = 15000; // generous: the machine is shared

enum class Outcome {
    Plays,
    Shows,
    SaysWhy,
    PlaysOrSaysWhy, // the engine is not steady on this one; either is honest
};

const char* const kAudio = "audiotestsrc num-buffers=40 ! audioconvert";
const char* const kStereo
    = "audiotestsrc num-buffers=40 ! audioconvert ! audio/x-raw,format=F32LE,channels=2,rate=44100";
const char* const kVideo = "videotestsrc num-buffers=20 ! video/x-raw,width=160,height=120,framerate=10/1 ! "
                           "videoconvert";

struct TypeCase {
    const char* extension;
    const char* source; // a GStreamer source above, or null for a picture
    const char* encoding; // the rest of the pipeline, or the picture's writer
    Outcome expected;
};

// RealMedia and MPEG program streams carry audio here: the video encoders for
// them do not run in this GStreamer build, the demuxers are what is tested.
const TypeCase kMedia[] = {
    { "wav", kAudio, "wavenc", Outcome::Plays },
    { "mp3", kAudio, "lamemp3enc", Outcome::Plays },
    { "wma", kStereo, "avenc_wmav2 bitrate=128000 ! asfmux", Outcome::Plays },
    { "asf", kStereo, "avenc_wmav2 bitrate=128000 ! asfmux", Outcome::Plays },
    { "wmv", kVideo, "avenc_wmv2 ! asfmux", Outcome::Plays },
    { "dat", kAudio, "avenc_mp2 ! mpegaudioparse ! mpegpsmux", Outcome::Plays },
    { "avi", kVideo, "jpegenc ! avimux", Outcome::Plays },
    { "rm", kAudio, "avenc_ac3 ! avmux_rm", Outcome::Plays },
    { "ra", kAudio, "avenc_ac3 ! avmux_rm", Outcome::Plays },
    { "rmvb", kAudio, "avenc_ac3 ! avmux_rm", Outcome::Plays },
    { "swf", kAudio, "lamemp3enc ! avmux_swf", Outcome::SaysWhy },
    { "flac", kAudio, "flacenc", Outcome::Plays },
    { "ogg", kAudio, "vorbisenc ! oggmux", Outcome::Plays },
    { "oga", kAudio, "vorbisenc ! oggmux", Outcome::Plays },
    { "opus", kAudio, "audioresample ! opusenc ! oggmux", Outcome::Plays },
    { "m4a", kAudio, "avenc_aac ! mp4mux", Outcome::Plays },
    // Bare ADTS streams sometimes stop in the media engine's type finding
    // here (the same audio in .m4a always plays).
    { "aac", kAudio, "avenc_aac ! aacparse ! audio/mpeg,stream-format=adts", Outcome::PlaysOrSaysWhy },
    { "mp4", kVideo, "x264enc ! mp4mux", Outcome::Plays },
    { "m4v", kVideo, "x264enc ! mp4mux", Outcome::Plays },
    { "mkv", kVideo, "vp8enc ! matroskamux", Outcome::Plays },
    { "webm", kVideo, "vp8enc ! webmmux", Outcome::Plays },
};

const TypeCase kPictures[] = {
    { "bmp", nullptr, "BMP", Outcome::Shows },
    { "jpg", nullptr, "JPG", Outcome::Shows },
    { "jpeg", nullptr, "JPEG", Outcome::Shows },
    { "png", nullptr, "PNG", Outcome::Shows },
    { "ico", nullptr, "ICO", Outcome::Shows },
    { "tif", nullptr, "TIF", Outcome::Shows },
    { "tiff", nullptr, "TIFF", Outcome::Shows },
    { "wbmp", nullptr, "WBMP", Outcome::Shows },
    { "wbm", nullptr, "WBMP", Outcome::Shows },
    { "webp", nullptr, "WEBP", Outcome::Shows },
    { "gif", nullptr, nullptr, Outcome::Shows },
    { "cur", nullptr, nullptr, Outcome::Shows },
    { "pcx", nullptr, nullptr, Outcome::SaysWhy },
    { "psd", nullptr, nullptr, Outcome::SaysWhy },
};

// Types no writer here makes, built byte by byte: a 1x1 GIF, a cursor (an
// icon with type 2 and a hot spot), a 1x1 PCX and a 1x1 PSD.
QByteArray handMade(const QString& extension)
{
    if (extension == QLatin1String("gif"))
        return QByteArray::fromHex(
            "47494638396101000100800000000000ffffff21f90401000000002c000000000100010000020144"
            "003b");
    if (extension == QLatin1String("cur")) {
        QByteArray ico;
        QBuffer buffer(&ico);
        buffer.open(QIODevice::WriteOnly);
        QImage(16, 16, QImage::Format_ARGB32).save(&buffer, "ICO");
        ico[2] = 2; // cursor
        return ico;
    }
    if (extension == QLatin1String("pcx"))
        return QByteArray::fromHex("0a050108000000000000000048004800") + QByteArray(48, '\0')
            + QByteArray::fromHex("000301000100") + QByteArray(58, '\0')
            + QByteArray::fromHex("c1ffc1ffc1ff");
    return QByteArray::fromHex(
        "38425053000100000000000000030000000100000001000800030000000000000000000000000000ff"
        "ffff");
}

bool makeFile(const TypeCase& c, const QString& path, QString* why)
{
    const QString ext = QString::fromLatin1(c.extension);
    if (!c.source && !c.encoding) {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(handMade(ext)) > 0;
    }
    if (!c.source) {
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        return image.save(path, c.encoding);
    }
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("gst-launch-1.0"));
    if (tool.isEmpty()) {
        *why = QStringLiteral("gst-launch-1.0 is not installed");
        return false;
    }
    const QString pipeline = QStringLiteral("%1 ! %2 ! filesink location=%3")
                                 .arg(QLatin1String(c.source), QLatin1String(c.encoding), path);
    QProcess gst;
    gst.start(tool, QStringList { QStringLiteral("-q"), QStringLiteral("-f") } + pipeline.split(u' '));
    if (!gst.waitForFinished(30000))
        gst.kill();
    *why = QString::fromLocal8Bit(gst.readAllStandardError());
    return gst.exitStatus() == QProcess::NormalExit && gst.exitCode() == 0 && QFile(path).size() > 0;
}

class FileTypes : public testing::TestWithParam<TypeCase> {
protected:
    QTemporaryDir tmp;
    MediaPlayer p;
};

Outcome playOrShow(MediaPlayer& p, const QString& path, QString* line)
{
    QSignalSpy told(&p, &MediaPlayer::unplayable);
    p.resize(320, 240);
    p.setURL(path);
    p.controls.play();
    const auto settled = [&] {
        return p.showingPicture() || !told.isEmpty() || p.engine().position() > 0
            || p.playState() == MediaPlayer::MediaEnded;
    };
    (void)QTest::qWaitFor(settled, kWait);
    QTest::qWait(50); // a late failure report still counts
    if (!told.isEmpty()) {
        *line = told.front().front().toString();
        return Outcome::SaysWhy;
    }
    if (p.showingPicture())
        return Outcome::Shows;
    return settled() ? Outcome::Plays : Outcome::SaysWhy;
}

TEST_P(FileTypes, PlaysShowsOrSaysWhy)
{
    const TypeCase& c = GetParam();
    const QString path = tmp.filePath(QStringLiteral("sample.") + QLatin1String(c.extension));
    QString why;
    if (!makeFile(c, path, &why))
        GTEST_SKIP() << "cannot make a ." << c.extension << " file here: " << why.toStdString();
    QString line;
    const Outcome outcome = playOrShow(p, path, &line);
    if (c.expected == Outcome::PlaysOrSaysWhy)
        EXPECT_NE(int(outcome), int(Outcome::Shows)) << c.extension;
    else
        EXPECT_EQ(int(outcome), int(c.expected)) << c.extension << " " << line.toStdString();
    if (outcome == Outcome::SaysWhy) {
        EXPECT_TRUE(line.startsWith(QStringLiteral("无法播放：sample.") + QLatin1String(c.extension)))
            << line.toStdString();
        EXPECT_GT(line.indexOf(u'（'), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Media, FileTypes, testing::ValuesIn(kMedia),
    [](const auto& info) { return std::string(info.param.extension); });
INSTANTIATE_TEST_SUITE_P(Pictures, FileTypes, testing::ValuesIn(kPictures),
    [](const auto& info) { return std::string(info.param.extension); });

// Damaged files of both kinds, and a file gone before it is opened.
TEST(DamagedFiles, SayWhyOncePerItem)
{
    QTemporaryDir tmp;
    MediaPlayer p;
    for (const char* name : { "junk.mp3", "junk.png", "gone.wav" }) {
        const QString path = tmp.filePath(QLatin1String(name));
        if (!QLatin1String(name).startsWith(QLatin1String("gone"))) {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(4096, 'x'));
        }
        QString line;
        EXPECT_EQ(int(playOrShow(p, path, &line)), int(Outcome::SaysWhy)) << name;
        EXPECT_TRUE(line.startsWith(QStringLiteral("无法播放：") + QLatin1String(name)))
            << line.toStdString();
        QSignalSpy again(&p, &MediaPlayer::unplayable);
        QTest::qWait(300);
        EXPECT_TRUE(again.isEmpty()) << name;
    }
    // The player still plays a sound file afterwards.
    const QString wav = tmp.filePath(QStringLiteral("tone.wav"));
    playertest::writeWav(wav, 1500);
    QString line;
    EXPECT_EQ(int(playOrShow(p, wav, &line)), int(Outcome::Plays)) << line.toStdString();
}

// The picture is decoded when it is opened; later resizes scale that image
// and never go back to the file.
TEST(PictureViewTest, DecodesOnceAndScalesOnResize)
{
    QTemporaryDir tmp;
    const QString png = tmp.filePath(QStringLiteral("pic.png"));
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(png));
    PictureView view;
    view.resize(100, 100);
    view.show();
    ASSERT_TRUE(view.load(png));
    EXPECT_EQ(view.pixmap().size(), QSize(100, 50));
    ASSERT_TRUE(QFile::remove(png));
    view.resize(400, 400);
    EXPECT_TRUE(view.hasPicture());
    EXPECT_EQ(view.pixmap().size(), QSize(400, 200));
    QString reason;
    EXPECT_FALSE(view.load(png, &reason));
    EXPECT_EQ(reason, QStringLiteral("文件不存在"));
    EXPECT_TRUE(view.pixmap().isNull());
}

} // namespace
