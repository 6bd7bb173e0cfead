// Playing on through desktop clients: playerctl on a private session bus
// turns on loop and shuffle for the real player and file list, with short
// generated songs that really end.
#include "embeddedcover.h"
#include "inifile.h"
#include "keyactions.h"
#include "listboxes.h"
#include "mediafiles.h"
#include "mediaplayer.h"
#include "mpris.h"
#include "mprisbus.h"
#include "playertestsupport.h"
#include "playon.h"
#include "privatebus.h"
#include "transportbar.h"

#include <QAccessible>
#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

constexpr int kWait = 15000;

// Records the Player properties the bus announces.
class Announcements : public QObject {
    Q_OBJECT
public:
    QList<QVariantMap> changes;
public slots:
    void onChanged(const QString&, const QVariantMap& changed, const QStringList&) { changes << changed; }
};

class PlayOnBus : public testing::Test {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("playerctl")).isEmpty() || !bus.start())
            GTEST_SKIP() << "playerctl or dbus-daemon is not installed";
        for (const char* name : { "a.wav", "b.wav", "c.wav" })
            playertest::writeWav(tmp.filePath(QLatin1String(name)), 600);
        files.setPath(tmp.path());
        // The window's file-selection step, as far as playback goes.
        QObject::connect(&files, &FileListBox::Click, [this] {
            started << files.FileName();
            player.setURL(JoinPath(files.Path(), files.FileName()));
            player.controls.play();
        });
        playOn = std::make_unique<PlayOn>(player, files, ini());
        service = std::make_unique<MprisService>(player, files,
            MprisService::Actions {
                [this] { actions.SongNext(); }, [this] { actions.SongPrevious(); }, {}, {} });
        mprisBus = std::make_unique<MprisBus>(*service);
        ASSERT_TRUE(mprisBus->registerOn(bus.connect(QStringLiteral("server"))));
        bus.connect(QStringLiteral("client"))
            .connect(QLatin1String(MprisBus::kServiceName), QLatin1String(MprisBus::kObjectPath),
                QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"), &told,
                SLOT(onChanged(QString, QVariantMap, QStringList)));
    }

    void TearDown() override
    {
        mprisBus.reset();
        service.reset();
    }

    QString ini() const { return tmp.filePath(QStringLiteral("tuvela.ini")); }

    QString ctl(const QStringList& arguments)
    {
        bool ok = false;
        const QString out = bus.playerctl(
            QStringList { QStringLiteral("-p"), QStringLiteral("remoteplayer") } + arguments, &ok);
        EXPECT_TRUE(ok) << arguments.join(u' ').toStdString();
        return out;
    }

    void choose(int index)
    {
        files.setListIndex(index);
        files.click();
    }

    bool playing(const QString& name)
    {
        return QTest::qWaitFor(
            [&] { return files.FileName() == name && player.playState() == MediaPlayer::Playing; }, kWait);
    }

    bool announced(const QString& name, const QVariant& value) const
    {
        return std::any_of(told.changes.cbegin(), told.changes.cend(),
            [&](const QVariantMap& c) { return c.value(name) == value; });
    }

    playertest::PrivateBus bus;
    QTemporaryDir tmp;
    DriveListBox drives;
    DirListBox folders;
    FileListBox files;
    MediaPlayer player;
    KeyActions actions { KeyActions::Targets { drives, folders, files, player } };
    std::unique_ptr<PlayOn> playOn;
    std::unique_ptr<MprisService> service;
    std::unique_ptr<MprisBus> mprisBus;
    Announcements told;
    QStringList started; // the files that started, in order
};

struct LoopCase {
    const char* loop;
    int from;
    const char* then; // the file playing after the first one ended; "" if none
};

class LoopModes : public PlayOnBus, public testing::WithParamInterface<LoopCase> { };

TEST_P(LoopModes, WhatFollowsTheEndOfASong)
{
    const LoopCase c = GetParam();
    ctl({ QStringLiteral("loop"), QLatin1String(c.loop) });
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return LoopStatusText(player.settings.loop()) == QLatin1String(c.loop); }, kWait));
    QSignalSpy ends(&player, &MediaPlayer::ended);
    choose(c.from);
    ASSERT_TRUE(ends.wait(kWait));
    const QString first = files.List(c.from);
    if (QLatin1String(c.then).isEmpty()) {
        QTest::qWait(400);
        EXPECT_EQ(player.playState(), MediaPlayer::MediaEnded);
        EXPECT_EQ(started, QStringList { first });
        return;
    }
    EXPECT_TRUE(playing(QLatin1String(c.then)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ends.size() >= 2; }, kWait));
    EXPECT_EQ(player.playState() == MediaPlayer::Playing, true) << "still playing on after the second end";
}

INSTANTIATE_TEST_SUITE_P(PlayerCtl, LoopModes,
    testing::Values(LoopCase { "None", 0, "" }, LoopCase { "Track", 1, "b.wav" },
        LoopCase { "Playlist", 0, "b.wav" }, LoopCase { "Playlist", 2, "a.wav" }),
    [](const auto& info) { return std::string(info.param.loop) + std::to_string(info.param.from); });

// Each file once a round, then a new round that does not begin with the
// song that just ended.
TEST_F(PlayOnBus, ShufflePlaysEveryFileOnceARound)
{
    playertest::writeWav(tmp.filePath(QStringLiteral("d.wav")), 600);
    files.setPath(tmp.path());
    ctl({ QStringLiteral("loop"), QStringLiteral("Playlist") });
    ctl({ QStringLiteral("shuffle"), QStringLiteral("On") });
    EXPECT_EQ(ctl({ QStringLiteral("shuffle") }), QStringLiteral("On"));
    choose(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return started.size() >= 5; }, 4 * kWait));
    const QStringList round = started.mid(0, 4);
    EXPECT_EQ(QSet<QString>(round.cbegin(), round.cend()).size(), 4) << round.join(u',').toStdString();
    EXPECT_NE(started.at(4), started.at(3));
}

// The buttons and the bus tell one state, and it is stored and read back.
TEST_F(PlayOnBus, ButtonsBusAndSettingsFileAgree)
{
    QToolButton& loop = player.transportBar().loopButton();
    QToolButton& shuffle = player.transportBar().shuffleButton();
    struct Step {
        const char* status;
        const char16_t* caption;
    };
    // A click, a screen reader's toggle action, then its press action.
    const QString ways[] = { QString(), QAccessibleActionInterface::toggleAction(),
        QAccessibleActionInterface::pressAction() };
    int way = 0;
    for (const Step s : { Step { "Playlist", u"循环：列表" }, Step { "Track", u"循环：单曲" },
             Step { "None", u"循环：关" } }) {
        const QString& action = ways[way++];
        if (action.isEmpty())
            loop.click();
        else
            QAccessible::queryAccessibleInterface(&loop)->actionInterface()->doAction(action);
        QTest::qWait(300); // a press action clicks after a moment
        EXPECT_EQ(ctl({ QStringLiteral("loop") }), QLatin1String(s.status));
        EXPECT_EQ(loop.text(), QString::fromUtf16(s.caption));
        EXPECT_EQ(loop.accessibleDescription(), QString::fromUtf16(s.caption));
        EXPECT_EQ(loop.isChecked(), QLatin1String(s.status) != QLatin1String("None"));
        EXPECT_EQ(
            GetFromINI(QStringLiteral("PLAYER"), QStringLiteral("LOOP"), ini()), QLatin1String(s.status));
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return announced(QStringLiteral("LoopStatus"), QLatin1String(s.status)); }, kWait));
    }
    ctl({ QStringLiteral("loop"), QStringLiteral("Track") });
    ctl({ QStringLiteral("shuffle"), QStringLiteral("On") });
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return shuffle.isChecked() && loop.text() == QStringLiteral("循环：单曲"); }, kWait));
    EXPECT_EQ(shuffle.text(), QStringLiteral("随机：开"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return announced(QStringLiteral("Shuffle"), true); }, kWait));
    EXPECT_EQ(GetFromINI(QStringLiteral("PLAYER"), QStringLiteral("SHUFFLE"), ini()), QStringLiteral("1"));

    // A player started later finds both.
    MediaPlayer next;
    FileListBox nextFiles;
    PlayOn nextPlayOn(next, nextFiles, ini());
    EXPECT_EQ(next.settings.loop(), LoopStatus::Track);
    EXPECT_TRUE(next.settings.shuffle());
    EXPECT_TRUE(next.transportBar().shuffleButton().isChecked());
    shuffle.click();
    EXPECT_EQ(ctl({ QStringLiteral("shuffle") }), QStringLiteral("Off"));
}

// A stored value that means nothing leaves the default and is not rewritten.
TEST_F(PlayOnBus, UnknownStoredValuesLeaveTheDefaults)
{
    ASSERT_TRUE(WritePrivateProfileString(
        QStringLiteral("PLAYER"), QStringLiteral("LOOP"), QStringLiteral("Sometimes"), ini()));
    MediaPlayer next;
    FileListBox nextFiles;
    PlayOn nextPlayOn(next, nextFiles, ini());
    EXPECT_EQ(next.settings.loop(), LoopStatus::None);
    EXPECT_FALSE(next.settings.shuffle());
    EXPECT_EQ(
        GetFromINI(QStringLiteral("PLAYER"), QStringLiteral("LOOP"), ini()), QStringLiteral("Sometimes"));
}

// A FLAC file gains a front cover: a picture block right after the stream
// information, as taggers write it.
void addFlacCover(const QString& path, const QImage& cover)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QByteArray flac = f.readAll();
    f.close();
    ASSERT_TRUE(flac.startsWith("fLaC"));
    QByteArray png;
    QBuffer buffer(&png);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) && cover.save(&buffer, "PNG"));
    QByteArray block;
    QDataStream out(&block, QIODevice::WriteOnly);
    out << quint32(3) << quint32(9);
    out.writeRawData("image/png", 9);
    out << quint32(0) << quint32(cover.width()) << quint32(cover.height()) << quint32(32) << quint32(0)
        << quint32(png.size());
    out.writeRawData(png.constData(), int(png.size()));
    const bool infoWasLast = (quint8(flac[4]) & 0x80) != 0;
    flac[4] = char(quint8(flac[4]) & 0x7f);
    const int size = int(block.size());
    QByteArray header;
    for (int b : { (infoWasLast ? 0x80 : 0) | 6, size >> 16, size >> 8, size })
        header.append(char(b & 0xff));
    flac.insert(4 + 4 + 34, header + block);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(flac);
}

QString writeTaggedFlac(const QString& path)
{
    QProcess sox;
    sox.start(QStringLiteral("sox"),
        { QStringLiteral("-n"), QStringLiteral("-r"), QStringLiteral("8000"), QStringLiteral("-c"),
            QStringLiteral("1"), QStringLiteral("--add-comment"), QStringLiteral("ARTIST=Ann Artist"),
            QStringLiteral("--add-comment"), QStringLiteral("ALBUM=Evening Album"),
            QStringLiteral("--add-comment"), QStringLiteral("TITLE=First Song"), path,
            QStringLiteral("synth"), QStringLiteral("3"), QStringLiteral("sine"), QStringLiteral("440") });
    return sox.waitForFinished(kWait) && sox.exitCode() == 0 ? path : QString();
}

// What a panel widget shows: artist, album, title and a cover that exists,
// beside the song or taken out of it into the user's cache folder.
TEST_F(PlayOnBus, MetadataCarriesArtistAlbumAndCover)
{
    QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", cache.path().toLocal8Bit());
    QDir(tmp.path()).mkdir(QStringLiteral("tagged"));
    const QString song = writeTaggedFlac(tmp.filePath(QStringLiteral("tagged/song.flac")));
    ASSERT_FALSE(song.isEmpty()) << "sox cannot write FLAC";
    QImage cover(16, 16, QImage::Format_RGB32);
    cover.fill(Qt::blue);
    ASSERT_TRUE(cover.save(tmp.filePath(QStringLiteral("tagged/Folder.jpg"))));
    const QString embedded = tmp.filePath(QStringLiteral("tagged/with-cover.flac"));
    ASSERT_TRUE(QFile::copy(song, embedded));
    addFlacCover(embedded, cover);
    ASSERT_FALSE(EmbeddedCover(embedded).isNull());
    files.setPath(tmp.filePath(QStringLiteral("tagged")));
    const QString format
        = QStringLiteral("{{xesam:artist}}|{{xesam:album}}|{{xesam:title}}|{{mpris:artUrl}}");
    const QStringList metadata { QStringLiteral("metadata"), QStringLiteral("--format"), format };
    choose(1); // after Folder.jpg
    const QString beside = QStringLiteral("Ann Artist|Evening Album|First Song|")
        + QUrl::fromLocalFile(tmp.filePath(QStringLiteral("tagged/Folder.jpg"))).toString();
    // Polled: until the song is open the client is told there is no track.
    const auto asked = [&](const QStringList& arguments) {
        return bus.playerctl(
            QStringList { QStringLiteral("-p"), QStringLiteral("remoteplayer") } + arguments);
    };
    QString told;
    EXPECT_TRUE(QTest::qWaitFor([&] { return (told = asked(metadata)) == beside; }, kWait))
        << told.toStdString();

    choose(2);
    QString art;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            art = asked({ QStringLiteral("metadata"), QStringLiteral("mpris:artUrl") });
            return art.startsWith(QUrl::fromLocalFile(cache.path()).toString());
        },
        kWait))
        << art.toStdString();
    const QImage written(QUrl(art).toLocalFile());
    EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), cover);
    qunsetenv("XDG_CACHE_HOME");
}

} // namespace

#include "playon_test.moc"
