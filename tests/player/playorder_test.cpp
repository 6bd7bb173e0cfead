// The choices behind playing on, and what the desktop is told of a song:
// pure logic over lists, tags and files, table-driven.
#include "coverart.h"
#include "playorder.h"
#include "songtags.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMediaMetaData>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(PlayOrder, LoopButtonGoesNonePlaylistTrackAndNamesRoundTrip)
{
    EXPECT_EQ(NextLoopStatus(LoopStatus::None), LoopStatus::Playlist);
    EXPECT_EQ(NextLoopStatus(LoopStatus::Playlist), LoopStatus::Track);
    EXPECT_EQ(NextLoopStatus(LoopStatus::Track), LoopStatus::None);
    for (const LoopStatusName& row : kLoopStatuses)
        EXPECT_EQ(LoopStatusFromText(LoopStatusText(row.status)), row.status);
    for (const char* bad : { "", "none", "PLAYLIST", "Track ", "1" })
        EXPECT_EQ(LoopStatusFromText(QLatin1String(bad)), std::nullopt) << bad;
}

TEST(PlayOrder, ShuffleAsStored)
{
    const std::pair<const char*, bool> cases[] = { { "1", true }, { "-1", true }, { "0", false },
        { "", false }, { "TRUE", true }, { "yes", false } };
    for (const auto& [text, on] : cases)
        EXPECT_EQ(ShuffleFromText(QLatin1String(text)), on) << text;
    EXPECT_TRUE(ShuffleFromText(ShuffleText(true)));
    EXPECT_FALSE(ShuffleFromText(ShuffleText(false)));
}

struct NextCase {
    std::vector<bool> playable;
    int current;
    std::optional<int> next;
};

TEST(PlayOrder, NextInPlaylistSkipsPicturesAndWrapsAround)
{
    const NextCase cases[] = {
        { { true, true, true }, 0, 1 },
        { { true, true, true }, 2, 0 }, // from the last back to the first
        { { true, true, true }, -1, 0 }, // nothing chosen: the first
        { { true, false, true }, 0, 2 }, // a picture is passed over
        { { false, true, false }, 1, 1 }, // the only song again
        { { false, false }, 0, std::nullopt },
        { {}, -1, std::nullopt },
    };
    for (const NextCase& c : cases)
        EXPECT_EQ(NextInPlaylist(c.playable, c.current), c.next) << c.current;
}

// A random source that always takes the first or the last candidate still
// plays each file once before any repeats.
TEST(PlayOrder, ShuffleRoundsHaveNoRepeats)
{
    const QStringList names { QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("pic"),
        QStringLiteral("c"), QStringLiteral("d") };
    const std::vector<bool> playable { true, true, false, true, true };
    for (const ShuffleRound::Random& random :
        { ShuffleRound::Random([](int) { return 0; }), ShuffleRound::Random([](int n) { return n - 1; }) }) {
        ShuffleRound round;
        QString current = QStringLiteral("b");
        round.played(QStringLiteral("/m"), current);
        QStringList order { current };
        for (int i = 0; i < 7; ++i) {
            const std::optional<int> next
                = round.pick(QStringLiteral("/m"), names, playable, current, random);
            ASSERT_TRUE(next);
            current = names[*next];
            round.played(QStringLiteral("/m"), current);
            order << current;
        }
        EXPECT_EQ(QSet<QString>(order.cbegin(), order.cbegin() + 4).size(), 4)
            << order.join(u',').toStdString();
        EXPECT_FALSE(order.contains(QStringLiteral("pic")));
        EXPECT_NE(order[4], order[3]); // a new round does not begin with the song that ended
        EXPECT_EQ(QSet<QString>(order.cbegin() + 4, order.cend()).size(), 4);
    }
    ShuffleRound other;
    other.played(QStringLiteral("/m"), QStringLiteral("a"));
    other.played(QStringLiteral("/other"), QStringLiteral("x"));
    EXPECT_EQ(other.playedThisRound(), QSet<QString> { QStringLiteral("x") }); // another folder, a new round
    EXPECT_EQ(
        other.pick(QStringLiteral("/m"), { QStringLiteral("pic") }, { false }, {}, [](int) { return 0; }),
        std::nullopt);
}

struct TagCase {
    const char* name;
    std::vector<std::pair<QMediaMetaData::Key, QVariant>> told;
    QStringList artists;
    QString album;
};

TEST(SongTagsFromEngine, ArtistsComeFromTheFirstKeyThatNamesOne)
{
    const TagCase cases[] = {
        { "performers",
            { { QMediaMetaData::ContributingArtist, QStringLiteral("Ann") },
                { QMediaMetaData::AlbumArtist, QStringLiteral("Band") } },
            { QStringLiteral("Ann") }, {} },
        { "list",
            { { QMediaMetaData::ContributingArtist,
                QStringList { QStringLiteral("Ann"), QStringLiteral(" Bob ") } } },
            { QStringLiteral("Ann"), QStringLiteral("Bob") }, {} },
        { "albumArtist",
            { { QMediaMetaData::AlbumArtist, QStringLiteral("Band") },
                { QMediaMetaData::AlbumTitle, QStringLiteral(" Live ") } },
            { QStringLiteral("Band") }, QStringLiteral("Live") },
        { "author", { { QMediaMetaData::Author, QStringLiteral("Writer") } }, { QStringLiteral("Writer") },
            {} },
        { "blank", { { QMediaMetaData::ContributingArtist, QStringLiteral("  ") } }, {}, {} },
    };
    for (const TagCase& c : cases) {
        QMediaMetaData data;
        for (const auto& [key, value] : c.told)
            data.insert(key, value);
        const SongTags tags = SongTagsFrom(data);
        EXPECT_EQ(tags.artists, c.artists) << c.name;
        EXPECT_EQ(tags.album, c.album) << c.name;
    }
    QMediaMetaData pictured;
    QImage thumb(4, 4, QImage::Format_RGB32);
    thumb.fill(Qt::green);
    pictured.insert(QMediaMetaData::ThumbnailImage, thumb);
    EXPECT_EQ(SongTagsFrom(pictured).cover, thumb);
}

void touch(const QString& path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

TEST(CoverPicture, BesideTheSongInOrderOfChoiceWithoutRegardToCase)
{
    QTemporaryDir dir;
    const QString song = dir.filePath(QStringLiteral("song.mp3"));
    touch(song);
    EXPECT_EQ(CoverBeside(song), QString());
    touch(dir.filePath(QStringLiteral("COVER.PNG")));
    EXPECT_EQ(CoverBeside(song), dir.filePath(QStringLiteral("COVER.PNG")));
    touch(dir.filePath(QStringLiteral("Folder.jpg")));
    EXPECT_EQ(CoverBeside(song), dir.filePath(QStringLiteral("Folder.jpg")));
    touch(dir.filePath(QStringLiteral("cover.jpg")));
    EXPECT_EQ(CoverArtFile(QImage(), song, dir.filePath(QStringLiteral("cache"))),
        dir.filePath(QStringLiteral("cover.jpg")));
}

TEST(CoverPicture, AnEmbeddedPictureIsWrittenOnceAndWinsOverTheFolder)
{
    QTemporaryDir dir;
    const QString song = dir.filePath(QStringLiteral("song.mp3"));
    touch(dir.filePath(QStringLiteral("cover.jpg")));
    const QString cache = dir.filePath(QStringLiteral("cache/covers"));
    QImage red(8, 8, QImage::Format_RGB32);
    red.fill(Qt::red);
    const QString first = CoverArtFile(red, song, cache);
    ASSERT_TRUE(first.startsWith(cache)) << first.toStdString();
    EXPECT_EQ(QImage(first).convertToFormat(QImage::Format_RGB32), red);
    const QDateTime written = QFileInfo(first).lastModified();
    EXPECT_EQ(CoverArtFile(red.copy(), dir.filePath(QStringLiteral("other.mp3")), cache), first);
    EXPECT_EQ(QFileInfo(first).lastModified(), written);
    EXPECT_EQ(QDir(cache).entryList(QDir::Files).size(), 1);
    QImage blue = red;
    blue.fill(Qt::blue);
    EXPECT_NE(CoverArtFile(blue, song, cache), first);
    // A cache that cannot be written falls back to the folder's picture.
    touch(dir.filePath(QStringLiteral("blocked")));
    EXPECT_EQ(CoverArtFile(red, song, dir.filePath(QStringLiteral("blocked/covers"))),
        dir.filePath(QStringLiteral("cover.jpg")));
}

} // namespace
