#include "drives.h"

#include "mediafiles.h"
#include "mountinfo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>
#include <array>
#include <string_view>

namespace {

// File system types that never hold a user's files.
constexpr std::array<std::string_view, 22> kPseudoTypes { "proc", "sysfs", "devtmpfs", "devpts", "tmpfs",
    "cgroup", "cgroup2", "securityfs", "pstore", "debugfs", "tracefs", "configfs", "fusectl", "mqueue",
    "hugetlbfs", "bpf", "autofs", "binfmt_misc", "efivarfs", "rpc_pipefs", "nsfs", "ramfs" };

// Folders under which removable or additional media are mounted.
constexpr std::array<std::string_view, 3> kMediaRoots { "/media/", "/run/media/", "/mnt/" };

bool isPseudo(const QString& type)
{
    return std::any_of(kPseudoTypes.begin(), kPseudoTypes.end(),
        [&](std::string_view t) { return type == QLatin1StringView(t.data(), qsizetype(t.size())); });
}

bool underMediaRoot(const QString& path)
{
    return std::any_of(kMediaRoots.begin(), kMediaRoots.end(), [&](std::string_view r) {
        return path.startsWith(QLatin1StringView(r.data(), qsizetype(r.size())));
    });
}

bool isPrefixFolder(const QString& mount, const QString& path)
{
    if (mount == QLatin1String("/"))
        return path.startsWith(QLatin1Char('/'));
    return path == mount || path.startsWith(mount + QLatin1Char('/'));
}

} // namespace

int DriveIndexFor(const QStringList& drives, const QString& path)
{
    int best = -1;
    for (int i = 0; i < drives.size(); ++i) {
        if (isPrefixFolder(drives.at(i), path) && (best < 0 || drives.at(i).size() > drives.at(best).size()))
            best = i;
    }
    return std::max(best, 0);
}

QStringList BrowsableDrives(const QList<MountEntry>& mounts, const QString& homePath)
{
    QString homeMount;
    for (const MountEntry& m : mounts) {
        if (!isPseudo(m.fsType) && isPrefixFolder(m.mountPath, homePath)
            && m.mountPath.size() > homeMount.size())
            homeMount = m.mountPath;
    }
    // The root is always browsable, even when the system does not list it.
    QStringList drives { QStringLiteral("/") };
    for (const MountEntry& m : mounts) {
        const bool wanted = m.mountPath == QLatin1String("/") || m.mountPath == homeMount
            || (underMediaRoot(m.mountPath) && !isPseudo(m.fsType));
        if (wanted && !drives.contains(m.mountPath))
            drives.append(m.mountPath);
    }
    std::sort(drives.begin(), drives.end(), NameLess);
    return drives;
}

QList<MountEntry> MountedFileSystems()
{
    // The same reading the mount watch makes, so the drive list does not
    // change shape at the first notice.
    QFile table(QStringLiteral("/proc/self/mountinfo"));
    if (table.open(QIODevice::ReadOnly)) {
        const QList<MountEntry> parsed = ParseMountInfo(table.readAll());
        if (!parsed.isEmpty())
            return parsed;
    }
    QList<MountEntry> mounts;
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes())
        mounts.append({ QDir::cleanPath(v.rootPath()), QString::fromUtf8(v.fileSystemType()) });
    return mounts;
}

bool DriveReady(const QString& mountPath)
{
    const QFileInfo folder(mountPath);
    if (!folder.isDir() || !folder.isReadable())
        return false;
    const QStorageInfo info(mountPath);
    return info.isValid() && info.isReady();
}
