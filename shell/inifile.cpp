#include "inifile.h"

#include "iniformat.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <array>
#include <utility>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

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
        struct stat locked {}, named {};
        if (::fstat(fd.fd, &locked) != 0)
            return -1;
        if (::stat(path.constData(), &named) == 0 && locked.st_dev == named.st_dev
            && locked.st_ino == named.st_ino)
            return std::exchange(fd.fd, -1);
    }
}

// Writes `content` to a temporary file beside `path` and renames it over `path`.
bool replaceFile(const QByteArray& path, const QByteArray& content, mode_t mode, int* err)
{
    QByteArray temp = path + ".XXXXXX";
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
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    const std::optional<QString> value = ini::lookup(file.readAll(), section, key);
    return value ? value->left(ini::kMaxValueLength) : QString();
}

bool WritePrivateProfileString(
    const QString& section, const QString& key, const QString& value, const QString& path, QString* error)
{
    const QString invalid = ini::validate(section, key, value);
    if (!invalid.isEmpty())
        return fail(error, invalid);
    const QByteArray native = QFile::encodeName(path);
    struct stat before {};
    // A file without any write permission is read-only, even for the superuser.
    if (::stat(native.constData(), &before) == 0 && S_ISREG(before.st_mode) && (before.st_mode & 0222) == 0)
        return fail(error, QStringLiteral("设置文件为只读"));
    Fd locked { lockCurrentFile(native) };
    if (locked.fd < 0)
        return fail(error, errnoText(errno));
    struct stat st {};
    QByteArray content;
    if (::fstat(locked.fd, &st) != 0 || !S_ISREG(st.st_mode))
        return fail(error, errnoText(S_ISDIR(st.st_mode) ? EISDIR : errno));
    if (!readAll(locked.fd, content))
        return fail(error, errnoText(errno));
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

QString settingsPathFor(const QString& folder)
{
    if (::access(QFile::encodeName(folder).constData(), W_OK) == 0)
        return folder + QStringLiteral("/") + QStringLiteral("tuvela.ini");
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/tuvela");
    QDir().mkpath(config);
    return config + QStringLiteral("/tuvela.ini");
}

QString settingsPath() { return settingsPathFor(programFolder()); }
