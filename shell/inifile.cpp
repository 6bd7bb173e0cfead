#include "inifile.h"

#include "iniformat.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

struct ErrnoText {
    int code;
    const char* text;
};

// Reasons a write can fail, in the operator's words.
constexpr std::array kErrnoTexts {
    ErrnoText { ENOENT, "文件夹不存在" },
    ErrnoText { ENOTDIR, "路径中有一部分不是文件夹" },
    ErrnoText { EACCES, "没有写入权限" },
    ErrnoText { EPERM, "没有写入权限" },
    ErrnoText { EROFS, "所在的文件系统为只读" },
    ErrnoText { ENOSPC, "磁盘空间不足" },
    ErrnoText { EDQUOT, "磁盘配额已满" },
    ErrnoText { EISDIR, "该路径是一个文件夹" },
    ErrnoText { EIO, "读写设备出错" },
};

QString errnoText(int code)
{
    for (const ErrnoText& e : kErrnoTexts) {
        if (e.code == code)
            return QString::fromUtf8(e.text);
    }
    return QStringLiteral("写入失败：") + QString::fromLocal8Bit(std::strerror(code));
}

bool fail(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

// Closes a descriptor when it goes out of scope (which also drops its lock).
struct Fd {
    int fd = -1;
    ~Fd()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

bool readAll(int fd, QByteArray& out)
{
    out.clear();
    char buf[8192];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n == 0)
            return true;
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        out.append(buf, n);
    }
}

bool writeAll(int fd, const QByteArray& data)
{
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.constData() + done, size_t(data.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// Opens and locks the file now at `path`. A writer that waited for the lock may
// find that another writer renamed a new file over the name meanwhile; then it
// locks the new file instead.
int lockCurrentFile(const QByteArray& path)
{
    for (;;) {
        Fd fd { ::open(path.constData(), O_RDONLY | O_CREAT | O_CLOEXEC, 0644) };
        if (fd.fd < 0 || ::flock(fd.fd, LOCK_EX) != 0)
            return -1;
        struct stat locked {
        }, named {};
        if (::fstat(fd.fd, &locked) != 0)
            return -1;
        if (::stat(path.constData(), &named) == 0 && locked.st_dev == named.st_dev
            && locked.st_ino == named.st_ino)
            return std::exchange(fd.fd, -1);
    }
}

// A save writes "<settings file name>.tmp-" and six random characters beside
// the settings file, then renames it over the settings file.
constexpr char kTempInfix[] = ".tmp-";
constexpr int kTempRandom = 6;

// The file a settings path stands for. Users keep settings in a dotfiles
// folder and link to them, so a symbolic link is followed (relative targets
// from the link's folder) and the file it points to is the one replaced.
QByteArray followLinks(QByteArray path)
{
    for (int hop = 0; hop < 40; ++hop) {
        char target[PATH_MAX];
        const ssize_t n = ::readlink(path.constData(), target, sizeof target);
        if (n < 0 || n == ssize_t(sizeof target))
            return path;
        QByteArray next(target, n);
        const qsizetype slash = path.lastIndexOf('/');
        if (!next.startsWith('/') && slash >= 0)
            next.prepend(path.left(slash + 1));
        path = next;
    }
    return path; // a loop of links: opening it fails with its own reason
}

bool isLeftoverName(const QString& name, const QString& prefix)
{
    if (name.size() != prefix.size() + kTempRandom || !name.startsWith(prefix))
        return false;
    return std::all_of(name.begin() + prefix.size(), name.end(),
        [](QChar c) { return c.isDigit() || (c.unicode() < 128 && c.isLetter()); });
}

// A writer killed before its rename leaves its temporary file behind. Only a
// writer holding the lock writes one, so while we hold it every such file is
// a leftover.
void removeLeftovers(const QByteArray& path)
{
    const QFileInfo settings(QFile::decodeName(path));
    const QString prefix = settings.fileName() + QLatin1String(kTempInfix);
    QDir folder = settings.dir();
    const QStringList candidates
        = folder.entryList({ prefix + QStringLiteral("*") }, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : candidates) {
        if (isLeftoverName(name, prefix))
            folder.remove(name);
    }
}

// Writes `content` to a temporary file beside `path` and renames it over `path`.
bool replaceFile(const QByteArray& path, const QByteArray& content, mode_t mode, int* err)
{
    QByteArray temp = path + kTempInfix + QByteArray(kTempRandom, 'X');
    Fd out { ::mkstemp(temp.data()) };
    bool ok = out.fd >= 0 && ::fchmod(out.fd, mode & 07777) == 0 && writeAll(out.fd, content)
        && ::fsync(out.fd) == 0;
    ok = ok && ::rename(temp.constData(), path.constData()) == 0;
    *err = errno;
    if (!ok && out.fd >= 0)
        ::unlink(temp.constData());
    return ok;
}

} // namespace

QString GetFromINI(const QString& section, const QString& key, const QString& path)
{
    return GetFromINI(section, QStringList { key }, path).front();
}

QStringList GetFromINI(const QString& section, const QStringList& keys, const QString& path)
{
    QStringList values(keys.size());
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return values;
    const std::vector<std::optional<QString>> found = ini::lookup(file.readAll(), section, keys);
    for (qsizetype i = 0; i < keys.size(); ++i) {
        if (found[size_t(i)])
            values[i] = found[size_t(i)]->left(ini::kMaxValueLength);
    }
    return values;
}

bool WritePrivateProfileString(
    const QString& section, const QString& key, const QString& value, const QString& path, QString* error)
{
    const QString invalid = ini::validate(section, key, value);
    if (!invalid.isEmpty())
        return fail(error, invalid);
    const QByteArray native = followLinks(QFile::encodeName(path));
    struct stat before { };
    // A file without any write permission is read-only, even for the superuser.
    if (::stat(native.constData(), &before) == 0 && S_ISREG(before.st_mode) && (before.st_mode & 0222) == 0)
        return fail(error, QStringLiteral("设置文件为只读"));
    Fd locked { lockCurrentFile(native) };
    if (locked.fd < 0)
        return fail(error, errnoText(errno));
    struct stat st { };
    QByteArray content;
    if (::fstat(locked.fd, &st) != 0 || !S_ISREG(st.st_mode))
        return fail(error, errnoText(S_ISDIR(st.st_mode) ? EISDIR : errno));
    if (!readAll(locked.fd, content))
        return fail(error, errnoText(errno));
    removeLeftovers(native);
    int err = 0;
    if (!replaceFile(native, ini::assign(content, section, key, value), st.st_mode, &err))
        return fail(error, errnoText(err));
    return true;
}

QString programFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).absolutePath();
}

// An installed program: in a folder named bin or sbin, or anywhere under /usr
// or /opt. Its folder is never the place for settings, even when it is
// writable (run as root).
bool installedProgramFolder(const QString& folder)
{
    const QString clean = QDir::cleanPath(folder);
    const QString name = QFileInfo(clean).fileName();
    return name == QLatin1String("bin") || name == QLatin1String("sbin")
        || clean.startsWith(QLatin1String("/usr/")) || clean.startsWith(QLatin1String("/opt/"));
}

QString settingsPathFor(const QString& folder)
{
    if (!installedProgramFolder(folder) && ::access(QFile::encodeName(folder).constData(), W_OK) == 0)
        return folder + QStringLiteral("/") + QStringLiteral("tuvela.ini");
    const QString config
        = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/tuvela");
    QDir().mkpath(config);
    return config + QStringLiteral("/tuvela.ini");
}

QString settingsPath()
{
    return settingsPathFor(programFolder());
}

QString configuredPath(
    const QString& commandLine, const QString& section, const QString& key, const QString& iniPath)
{
    if (!commandLine.isEmpty())
        return commandLine;
    const QString stored = GetFromINI(section, key, iniPath);
    return stored.isEmpty() ? QString() : QFileInfo(iniPath).dir().absoluteFilePath(stored);
}
