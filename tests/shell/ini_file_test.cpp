// The settings file on disk: creation, limits, failures and concurrent writers.
#include "inifile.h"
#include "shelltestsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

class IniFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path() const { return dir.filePath("tuvela.ini"); }
};

TEST_F(IniFile, ReadingAMissingFileGivesEmptyAndCreatesNothing)
{
    EXPECT_EQ(GetFromINI("TEMP", "SETTEMP", path()), QString());
    EXPECT_FALSE(QFileInfo::exists(path()));
    EXPECT_EQ(GetFromINI("TEMP", "SETTEMP", dir.path()), QString()); // a folder, not a file
}

TEST_F(IniFile, FirstWriteCreatesTheFileWithOneSectionAndKey)
{
    QString error;
    ASSERT_TRUE(WritePrivateProfileString("TEMP", "SETTEMP", "35", path(), &error)) << error.toStdString();
    EXPECT_EQ(readFile(path()), "[TEMP]\nSETTEMP=35\n");
    EXPECT_EQ(GetFromINI("temp", "settemp", path()), "35");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList { "tuvela.ini" }); // no temporary left
}

TEST_F(IniFile, LongValueReadsBackAsItsFirst254Characters)
{
    const QString value = QString(300, QLatin1Char('7')).replace(253, 1, QLatin1Char('x'));
    ASSERT_TRUE(WritePrivateProfileString("IRCODE", "KEYCODE1", value, path()));
    EXPECT_EQ(GetFromINI("IRCODE", "KEYCODE1", path()), value.left(254));
    EXPECT_TRUE(readFile(path()).contains(value.toUtf8())); // stored whole, cut only on reading
}

TEST_F(IniFile, WriteKeepsTheOtherProgramsSectionByteForByte)
{
    const QByteArray other = "\xEF\xBB\xBF[IRCODE]\r\nKEYCODE1=FF00\r\n; learned\r\nKEYCODE2=\r\n\r\n";
    writeFile(path(), other + "[TEMP]\r\nSETTEMP=30\r\n");
    ASSERT_TRUE(WritePrivateProfileString("TEMP", "SETTEMP", "31", path()));
    EXPECT_EQ(readFile(path()), other + "[TEMP]\r\nSETTEMP=31\r\n");
}

TEST_F(IniFile, DoubledSeparatorNamesTheSameFile)
{
    ASSERT_TRUE(WritePrivateProfileString("TEMP", "SETTEMP", "28", dir.path() + "//tuvela.ini"));
    EXPECT_EQ(GetFromINI("TEMP", "SETTEMP", path()), "28");
    EXPECT_EQ(settingsPathFor(dir.path() + "/"), dir.path() + "//tuvela.ini");
}

TEST_F(IniFile, FailedWritesAreReportedAndLeaveTheOldFile)
{
    writeFile(path(), "[TEMP]\nSETTEMP=30\n");
    ::chmod(QFile::encodeName(path()).constData(), 0444);
    QString error;
    EXPECT_FALSE(WritePrivateProfileString("TEMP", "SETTEMP", "40", path(), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readFile(path()), "[TEMP]\nSETTEMP=30\n");

    const QString missing = dir.filePath("gone/tuvela.ini");
    error.clear();
    EXPECT_FALSE(WritePrivateProfileString("TEMP", "SETTEMP", "40", missing, &error));
    EXPECT_EQ(error, QStringLiteral("文件夹不存在"));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("gone")));

    error.clear();
    EXPECT_FALSE(WritePrivateProfileString("TEMP", "SETTEMP", "1\n[X]", path(), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(WritePrivateProfileString("TEMP", "SETTEMP", "1", dir.path()));
}

TEST_F(IniFile, FolderWithoutWritePermissionFailsForAnOrdinaryUser)
{
    writeFile(path(), "[TEMP]\nSETTEMP=30\n");
    ::chmod(QFile::encodeName(dir.path()).constData(), 0555);
    QString error;
    bool written = true;
    {
        PermissionChecks checks;
        written = WritePrivateProfileString("TEMP", "SETTEMP", "40", path(), &error);
    }
    ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
    EXPECT_FALSE(written);
    EXPECT_EQ(error, QStringLiteral("没有写入权限"));
    EXPECT_EQ(readFile(path()), "[TEMP]\nSETTEMP=30\n");
}

TEST_F(IniFile, WriteKeepsTheFilesPermissions)
{
    writeFile(path(), "[TEMP]\nSETTEMP=30\n");
    ::chmod(QFile::encodeName(path()).constData(), 0640);
    ASSERT_TRUE(WritePrivateProfileString("TEMP", "SETTEMP", "31", path()));
    struct stat st { };
    ASSERT_EQ(::stat(QFile::encodeName(path()).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

// Two processes each set their own keys in turn, many times; the lock and the
// re-check after it must keep every one of those writes.
TEST_F(IniFile, ConcurrentWritersNeverLoseAWrite)
{
    constexpr int kKeys = 150;
    const auto writer = [this](const char* prefix) {
        for (int i = 0; i < kKeys; ++i) {
            if (!WritePrivateProfileString(
                    "SHARED", QStringLiteral("%1%2").arg(prefix).arg(i), QString::number(i), path()))
                ::_exit(1);
        }
        ::_exit(0);
    };
    pid_t children[2] = {};
    children[0] = ::fork();
    if (children[0] == 0)
        writer("A");
    children[1] = ::fork();
    if (children[1] == 0)
        writer("B");
    for (pid_t child : children) {
        int status = -1;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    for (int i = 0; i < kKeys; ++i) {
        EXPECT_EQ(GetFromINI("SHARED", QStringLiteral("A%1").arg(i), path()), QString::number(i));
        EXPECT_EQ(GetFromINI("SHARED", QStringLiteral("B%1").arg(i), path()), QString::number(i));
    }
}

TEST_F(IniFile, LinkedSettingsFileStaysALinkAndItsTargetChanges)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("dotfiles"));
    const QString target = dir.filePath("dotfiles/tuvela.ini");
    writeFile(target, "[IRCODE]\nKEYCODE1=old\n");
    ASSERT_EQ(::symlink("dotfiles/tuvela.ini", QFile::encodeName(path()).constData()), 0); // relative
    ASSERT_TRUE(WritePrivateProfileString("IRCODE", "KEYCODE1", "new", path()));
    EXPECT_TRUE(QFileInfo(path()).isSymLink());
    EXPECT_EQ(readFile(target), "[IRCODE]\nKEYCODE1=new\n");
    EXPECT_EQ(QDir(dir.filePath("dotfiles")).entryList(QDir::Files), QStringList { "tuvela.ini" });

    // A link to a file not there yet creates the file at the far end.
    QFile::remove(target);
    ASSERT_TRUE(WritePrivateProfileString("TEMP", "SETTEMP", "30", path()));
    EXPECT_TRUE(QFileInfo(path()).isSymLink());
    EXPECT_EQ(readFile(target), "[TEMP]\nSETTEMP=30\n");
}

// Saves killed between creating their temporary file and renaming it.
TEST_F(IniFile, NextSaveRemovesLeftoverTemporariesButNothingElse)
{
    writeFile(path(), "[TEMP]\nSETTEMP=30\n");
    const QStringList leftovers { "tuvela.ini.tmp-a1B2c3", "tuvela.ini.tmp-ZZZZZZ" };
    const QStringList kept { "tuvela.ini.tmp-short", "tuvela.ini.tmp-toolong1", "tuvela.ini.backup",
        "other.ini.tmp-a1B2c3" };
    for (const QString& name : leftovers + kept)
        writeFile(dir.filePath(name), "[TEMP]\nSETTEMP=1");
    ASSERT_TRUE(WritePrivateProfileString("TEMP", "SETTEMP", "31", path()));
    QStringList expected = kept + QStringList { "tuvela.ini" };
    expected.sort();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name), expected);
}

// A writer killed at random moments of its saves leaves at most what the next
// save clears.
TEST_F(IniFile, KilledWritersLeaveNothingAfterTheNextSave)
{
    for (int round = 0; round < 20; ++round) {
        const pid_t child = ::fork();
        if (child == 0) {
            for (int i = 0;; ++i)
                WritePrivateProfileString("SHARED", "K", QString::number(i), path());
        }
        ::usleep(useconds_t(1000 + round * 700));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
    }
    ASSERT_TRUE(WritePrivateProfileString("SHARED", "K", "last", path()));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList { "tuvela.ini" });
    EXPECT_EQ(GetFromINI("SHARED", "K", path()), "last");
}

TEST(SettingsPath, ProgramFolderWhenWritableElseConfigFolder)
{
    QTemporaryDir dir;
    EXPECT_EQ(settingsPathFor(dir.path()), dir.path() + "/tuvela.ini");

    QTemporaryDir config;
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    const QString fallback = settingsPathFor(dir.filePath("not-there"));
    // An installed program's folder, writable or not (run as root).
    ASSERT_TRUE(QDir(dir.path()).mkdir("bin"));
    const QString installed = settingsPathFor(dir.filePath("bin"));
    qputenv("XDG_CONFIG_HOME", saved);
    EXPECT_EQ(fallback, config.path() + "/tuvela/tuvela.ini");
    EXPECT_EQ(installed, fallback);
    EXPECT_TRUE(QFileInfo(config.path() + "/tuvela").isDir());
    EXPECT_EQ(programFolder(), QCoreApplication::applicationDirPath());
}

} // namespace
