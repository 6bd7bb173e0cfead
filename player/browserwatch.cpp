#include "browserwatch.h"

#include "listboxes.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace {
constexpr int kSettleMs = 150;
}

BrowserWatch::BrowserWatch(DriveListBox& drive1, DirListBox& dir1, FileListBox& file1, QObject* parent)
    : QObject(parent)
    , m_drive1(drive1)
    , m_dir1(dir1)
    , m_file1(file1)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, &BrowserWatch::refreshFolder);
    connect(&m_folder, &QFileSystemWatcher::directoryChanged, this, [this] { m_settle.start(); });
    connect(&m_mounts, &MountWatcher::changed, this, &BrowserWatch::applyMounts);
    // Connected after the window's own folder-change step, so the file list
    // has its new folder when the watch moves.
    connect(&m_dir1, &DirListBox::Change, this, &BrowserWatch::followFolder);
    followFolder();
}

void BrowserWatch::applyMounts(const QList<MountEntry>& mounts)
{
    const QStringList drives = BrowsableDrives(mounts, QDir::homePath());
    QStringList shown;
    for (int i = 0; i < m_drive1.ListCount(); ++i)
        shown << m_drive1.List(i);
    if (drives == shown)
        return;
    const int kept = int(drives.indexOf(m_drive1.Drive()));
    m_drive1.setDrives(drives, qMax(kept, 0));
    if (kept < 0)
        m_dir1.setPath(m_drive1.Drive());
}

void BrowserWatch::refreshFolder()
{
    QString folder = m_dir1.Path();
    if (QFileInfo(folder).isDir()) {
        m_dir1.refresh();
        m_file1.refresh();
    } else {
        while (!QFileInfo(folder).isDir() && folder != QDir::rootPath())
            folder = QFileInfo(folder).path();
        m_dir1.setPath(folder);
    }
    followFolder();
}

// The watch moves with the open folder (and with the file list's folder, the
// same one unless a folder change failed half way).
void BrowserWatch::followFolder()
{
    QStringList wanted { m_dir1.Path(), m_file1.Path() };
    wanted.removeAll(QString());
    wanted.removeDuplicates();
    const QStringList watched = m_folder.directories();
    if (watched == wanted)
        return;
    if (!watched.isEmpty())
        m_folder.removePaths(watched);
    if (wanted.isEmpty())
        return;
    const QStringList failed = m_folder.addPaths(wanted);
    // A folder gone before it could be watched is followed up at once; one
    // that merely cannot be watched is not retried, which would be polling.
    if (std::any_of(failed.begin(), failed.end(), [](const QString& p) { return !QFileInfo(p).isDir(); }))
        m_settle.start();
}
