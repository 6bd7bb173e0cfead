// The file patterns, folder listing, the folder index model and the drives.
#include "drives.h"
#include "foldermodel.h"
#include "mediafiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void touch(const QString& path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
}

// The list's types as the player is designed to show them, stated here and
// not read from the table under test.
const QStringList kListedTypes
    = QStringLiteral("swf;cur;bmp;jpg;jpeg;pcx;png;gif;wbm;wbmp;psd;tif;tiff;ico;wav;mp3;"
                     "wma;asf;wmv;dat;avi;rm;ra;rmvb;flac;ogg;oga;opus;m4a;aac;mp4;m4v;"
                     "mkv;webm;webp")
          .split(u';');
const QStringList kPictureTypes
    = QStringLiteral("cur;bmp;jpg;jpeg;pcx;png;gif;wbm;wbmp;psd;tif;tiff;ico;webp").split(u';');

TEST(FilePatternTest, EveryTypeHasItsKindWithoutRegardToCase)
{
    for (const QString& ext : kListedTypes) {
        const FileKind kind = kPictureTypes.contains(ext) ? FileKind::Picture : FileKind::Media;
        EXPECT_EQ(KindOfFile(QStringLiteral("song.") + ext), kind) << ext.toStdString();
        EXPECT_EQ(KindOfFile(QStringLiteral("SONG.") + ext.toUpper()), kind) << ext.toStdString();
        EXPECT_EQ(KindOfFile(QStringLiteral("a.b.") + ext), kind) << ext.toStdString();
    }
}

TEST(FilePatternTest, ClassicPatternsFirstInTheirOrderThenTodaysFormats)
{
    QStringList listed;
    for (const FileType& t : kFileTypes)
        listed << QString::fromLatin1(t.extension.data(), qsizetype(t.extension.size()));
    EXPECT_EQ(listed, kListedTypes);
}

TEST(FilePatternTest, OtherNamesDoNotMatch)
{
    for (const char* name :
        { "notes.txt", "song.mp5", "mp3", "song.mp3.bak", "song.rmv", "song.", "song.r", "wav" })
        EXPECT_FALSE(MatchesFilePattern(QLatin1String(name))) << name;
    EXPECT_TRUE(MatchesFilePattern(QStringLiteral(".wav")));
}

TEST(FileListingTest, MatchingFilesInNameOrderWithoutFoldersOrOthers)
{
    QTemporaryDir dir;
    for (const char* n : { "b.mp3", "A.WAV", "c.txt", "a.jpg", "Z.rmvb", "readme" })
        touch(dir.filePath(QLatin1String(n)));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.wav")));
    EXPECT_EQ(ListMediaFiles(dir.path()),
        (QStringList { QStringLiteral("a.jpg"), QStringLiteral("A.WAV"), QStringLiteral("b.mp3"),
            QStringLiteral("Z.rmvb") }));
    EXPECT_EQ(ListSubfolders(dir.path()), QStringList { QStringLiteral("folder.wav") });
}

TEST(FileListingTest, MissingFolderListsNothing)
{
    EXPECT_TRUE(ListMediaFiles(QStringLiteral("/nonexistent/folder")).isEmpty());
    EXPECT_TRUE(ListSubfolders(QStringLiteral("/nonexistent/folder")).isEmpty());
}

TEST(FileListingTest, JoinPathDoesNotDoubleTheRoot)
{
    EXPECT_EQ(JoinPath(QStringLiteral("/"), QStringLiteral("x")), QStringLiteral("/x"));
    EXPECT_EQ(JoinPath(QStringLiteral("/a"), QStringLiteral("x")), QStringLiteral("/a/x"));
}

class FolderModelTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        QDir d(tmp.path());
        for (const char* n : { "open/beta", "open/Alpha", "open/gamma" })
            ASSERT_TRUE(d.mkpath(QLatin1String(n)));
        open = QDir::cleanPath(tmp.filePath(QStringLiteral("open")));
        ASSERT_TRUE(m.open(open));
    }
    QTemporaryDir tmp;
    QString open;
    FolderModel m;
};

TEST_F(FolderModelTest, OpenFolderIsMinusOneWithSubfoldersFromZero)
{
    EXPECT_EQ(m.path(), open);
    EXPECT_EQ(m.listIndex(), -1);
    EXPECT_EQ(m.count(), 3);
    EXPECT_EQ(m.list(-1), open);
    EXPECT_EQ(m.list(0), open + QStringLiteral("/Alpha"));
    EXPECT_EQ(m.list(2), open + QStringLiteral("/gamma"));
    EXPECT_EQ(m.list(-2), QDir::cleanPath(tmp.path()));
    EXPECT_EQ(m.list(-m.ancestorCount() - 1), QStringLiteral("/"));
    EXPECT_TRUE(m.list(3).isEmpty());
    EXPECT_TRUE(m.list(-m.ancestorCount() - 2).isEmpty());
}

TEST_F(FolderModelTest, RowsRunFromTheRootDown)
{
    EXPECT_EQ(m.rowCount(), m.ancestorCount() + 1 + 3);
    EXPECT_EQ(m.rowOf(-m.ancestorCount() - 1), 0);
    EXPECT_EQ(m.indexOfRow(m.rowOf(2)), 2);
}

TEST_F(FolderModelTest, HighlightStaysInsideTheModel)
{
    EXPECT_TRUE(m.setListIndex(2));
    EXPECT_FALSE(m.setListIndex(3));
    EXPECT_EQ(m.listIndex(), 2);
    EXPECT_TRUE(m.setListIndex(-2));
    EXPECT_FALSE(m.setListIndex(-m.ancestorCount() - 2));
    EXPECT_EQ(m.listIndex(), -2);
}

TEST_F(FolderModelTest, OpeningAFileOrNothingFailsAndKeepsTheFolder)
{
    touch(tmp.filePath(QStringLiteral("file.wav")));
    m.setListIndex(1);
    EXPECT_FALSE(m.open(tmp.filePath(QStringLiteral("file.wav"))));
    EXPECT_FALSE(m.open(tmp.filePath(QStringLiteral("missing"))));
    EXPECT_FALSE(m.open(QString()));
    EXPECT_EQ(m.path(), open);
    EXPECT_EQ(m.listIndex(), 1);
    // Reopening resets the highlight.
    EXPECT_TRUE(m.open(open));
    EXPECT_EQ(m.listIndex(), -1);
}

TEST_F(FolderModelTest, RootHasNoAncestors)
{
    ASSERT_TRUE(m.open(QStringLiteral("/")));
    EXPECT_EQ(m.ancestorCount(), 0);
    EXPECT_EQ(m.list(-1), QStringLiteral("/"));
    EXPECT_FALSE(m.setListIndex(-2));
}

TEST(DrivesTest, KeepsRootHomeAndMediaMountsInNameOrder)
{
    const QList<MountEntry> mounts {
        { QStringLiteral("/"), QStringLiteral("overlay") },
        { QStringLiteral("/proc"), QStringLiteral("proc") },
        { QStringLiteral("/dev/shm"), QStringLiteral("tmpfs") },
        { QStringLiteral("/run/media/op/USB"), QStringLiteral("vfat") },
        { QStringLiteral("/media/cdrom"), QStringLiteral("iso9660") },
        { QStringLiteral("/media/ram"), QStringLiteral("tmpfs") },
        { QStringLiteral("/home"), QStringLiteral("ext4") },
        { QStringLiteral("/srv/data"), QStringLiteral("ext4") },
        { QStringLiteral("/etc/hosts"), QStringLiteral("ext4") },
    };
    EXPECT_EQ(BrowsableDrives(mounts, QStringLiteral("/home/op")),
        (QStringList { QStringLiteral("/"), QStringLiteral("/home"), QStringLiteral("/media/cdrom"),
            QStringLiteral("/run/media/op/USB") }));
}

TEST(DrivesTest, RootIsAlwaysADrive)
{
    EXPECT_EQ(BrowsableDrives({}, QStringLiteral("/root")), QStringList { QStringLiteral("/") });
    EXPECT_FALSE(BrowsableDrives(MountedFileSystems(), QDir::homePath()).isEmpty());
}

TEST(DrivesTest, PathBelongsToTheLongestMatchingMount)
{
    const QStringList drives { QStringLiteral("/"), QStringLiteral("/media/a"), QStringLiteral("/media/ab") };
    EXPECT_EQ(DriveIndexFor(drives, QStringLiteral("/media/ab/x")), 2);
    EXPECT_EQ(DriveIndexFor(drives, QStringLiteral("/media/a")), 1);
    EXPECT_EQ(DriveIndexFor(drives, QStringLiteral("/media/abc")), 0);
    EXPECT_EQ(DriveIndexFor({ QStringLiteral("/media/a") }, QStringLiteral("/usr")), 0);
}

TEST(DrivesTest, ReadyOnlyForAnExistingFolder)
{
    QTemporaryDir tmp;
    EXPECT_TRUE(DriveReady(QStringLiteral("/")));
    EXPECT_TRUE(DriveReady(tmp.path()));
    EXPECT_FALSE(DriveReady(tmp.filePath(QStringLiteral("gone"))));
}

} // namespace
