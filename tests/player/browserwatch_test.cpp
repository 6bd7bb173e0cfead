// The browser following the machine: the mount table read as text, the
// kernel's mount notices, and a real folder changed while the player runs.
#include "browserwatch.h"
#include "formfixture.h"
#include "listboxes.h"
#include "mountinfo.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <sys/mount.h>

namespace {

constexpr int kWait = 8000; // the promise is 2 s; the machine is shared

const QByteArray kRootLine = "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n";
const QByteArray kStickLine = "97 22 8:17 / /media/ann/MY\\040STICK rw,nosuid shared:40 master:3 - vfat "
                              "/dev/sdb1 rw,uid=1000\n";

struct MountCase {
    const char* name;
    QByteArray text;
    QStringList paths;
    QStringList types;
};

class ParseMountInfoTest : public testing::TestWithParam<MountCase> { };

TEST_P(ParseMountInfoTest, ReadsMountPointsAndTypes)
{
    QStringList paths, types;
    for (const MountEntry& m : ParseMountInfo(GetParam().text)) {
        paths << m.mountPath;
        types << m.fsType;
    }
    EXPECT_EQ(paths, GetParam().paths);
    EXPECT_EQ(types, GetParam().types);
}

INSTANTIATE_TEST_SUITE_P(Samples, ParseMountInfoTest,
    testing::Values(MountCase { "RootAndEscapedStick", kRootLine + kStickLine,
                        { QStringLiteral("/"), QStringLiteral("/media/ann/MY STICK") },
                        { QStringLiteral("ext4"), QStringLiteral("vfat") } },
        MountCase { "NoOptionalFields", "30 22 0:5 / /proc rw - proc proc rw", { QStringLiteral("/proc") },
            { QStringLiteral("proc") } },
        MountCase { "TabBackslashAndBadEscape", "40 22 0:9 / /mnt/a\\011b\\134c\\9x rw - ext4 /dev/x rw\n",
            { QStringLiteral("/mnt/a\tb\\c\\9x") }, { QStringLiteral("ext4") } },
        MountCase { "BrokenLinesSkipped",
            "garbage\n1 2 3 4 5\n50 22 0:1 / /a rw shared:1 ext4 /dev/x rw\n51 22 0:1 / /b rw -\n"
            "52 22 0:1 / relative rw - ext4 /dev/x rw\n\n"
                + kRootLine,
            { QStringLiteral("/") }, { QStringLiteral("ext4") } },
        MountCase { "Empty", "", {}, {} }),
    [](const auto& info) { return std::string(info.param.name); });

// The real kernel notice: a file system mounted and unmounted in a scratch
// folder reaches the watcher without any polling.
TEST(MountWatcherTest, SeesAMountComeAndGo)
{
    QTemporaryDir tmp;
    const QString point = QDir::cleanPath(tmp.path());
    MountWatcher watcher;
    ASSERT_TRUE(watcher.watching());
    const auto listed = [&] {
        for (const MountEntry& m : watcher.mounts()) {
            if (m.mountPath == point)
                return true;
        }
        return false;
    };
    if (::mount("none", QFile::encodeName(point).constData(), "tmpfs", 0, nullptr) != 0)
        GTEST_SKIP() << "mounting is not allowed here";
    const bool came = QTest::qWaitFor(listed, kWait);
    ::umount(QFile::encodeName(point).constData());
    EXPECT_TRUE(came);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !listed(); }, kWait));
}

using BrowserFollows = FormFixture;

TEST_F(BrowserFollows, DrivesComeAndGoAndAGoneDriveFallsBackToTheFirst)
{
    Form1& f = open();
    f.watch().applyMounts(ParseMountInfo(kRootLine + kStickLine));
    ASSERT_EQ(f.Drive1()->ListCount(), 2);
    EXPECT_EQ(f.Drive1()->List(1), QStringLiteral("/media/ann/MY STICK"));
    EXPECT_EQ(f.Drive1()->Drive(), QStringLiteral("/")); // the shown drive stays selected
    EXPECT_EQ(f.Dir1()->Path(), root);

    // Browsing the stick when it is pulled out.
    f.Drive1()->setDrives({ QStringLiteral("/"), QStringLiteral("/media/ann/MY STICK") }, 1);
    QSignalSpy changes(f.Dir1(), &DirListBox::Change);
    f.watch().applyMounts(ParseMountInfo(kRootLine));
    EXPECT_EQ(f.Drive1()->ListCount(), 1);
    EXPECT_EQ(f.Drive1()->ListIndex(), 0);
    EXPECT_EQ(f.Dir1()->Path(), QStringLiteral("/"));
    EXPECT_EQ(f.File1()->Path(), QStringLiteral("/"));
    EXPECT_EQ(changes.count(), 1);
}

TEST_F(BrowserFollows, FileListFollowsTheFolderAndKeepsTheSelection)
{
    Form1& f = open();
    f.File1()->setListIndex(1);
    ASSERT_EQ(f.File1()->FileName(), QStringLiteral("b.wav"));
    const auto names = [&] {
        QStringList n;
        for (int i = 0; i < f.File1()->ListCount(); ++i)
            n << f.File1()->List(i);
        return n;
    };

    playertest::writeWav(path("0 new.wav"), 100);
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.File1()->ListCount() == 4; }, kWait));
    EXPECT_EQ(f.File1()->FileName(), QStringLiteral("b.wav"));
    EXPECT_EQ(f.File1()->ListIndex(), 2);

    ASSERT_TRUE(QFile::rename(path("c.WAV"), path("renamed.mp3")));
    EXPECT_TRUE(QTest::qWaitFor([&] { return names().contains(QStringLiteral("renamed.mp3")); }, kWait));
    EXPECT_FALSE(names().contains(QStringLiteral("c.WAV")));
    EXPECT_EQ(f.File1()->FileName(), QStringLiteral("b.wav"));

    ASSERT_TRUE(QFile::remove(path("b.wav")));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !names().contains(QStringLiteral("b.wav")); }, kWait));
    EXPECT_EQ(f.File1()->ListIndex(), -1);
}

TEST_F(BrowserFollows, FolderListFollowsAndAGoneFolderGivesWayToItsParent)
{
    Form1& f = open();
    ASSERT_TRUE(f.Dir1()->setListIndex(1));
    ASSERT_TRUE(QDir(root).mkdir(QStringLiteral("a new folder")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.Dir1()->ListCount() == 5; }, kWait));
    EXPECT_EQ(f.Dir1()->List(f.Dir1()->ListIndex()), path("sub1")); // the highlight stayed on its folder

    ASSERT_TRUE(f.Dir1()->setPath(path("sub1")));
    ASSERT_TRUE(QDir(path("sub1")).removeRecursively());
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.Dir1()->Path() == root; }, kWait));
    EXPECT_EQ(f.File1()->Path(), root);
    EXPECT_TRUE(f.watch().watchedFolders().contains(root));
}

} // namespace
