#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A mounted file system as the system reports it.
struct MountEntry {
    QString mountPath;
    QString fsType;
};

// The "drives" of the drive list: the mounted file systems a user browses,
// by mount path in name order. That is the root file system, the one that
// holds the home folder, and removable or extra media under /media, /run/media
// and /mnt; kernel, memory and container-internal mounts are left out.
QStringList BrowsableDrives(const QList<MountEntry>& mounts, const QString& homePath);

// The mount entries of the running system.
QList<MountEntry> MountedFileSystems();

// The drive that holds the path: the longest mount path that is a prefix of
// it; 0 when none matches.
int DriveIndexFor(const QStringList& drives, const QString& path);

// True when the drive's folder is there, readable, and its file system ready.
bool DriveReady(const QString& mountPath);
