#pragma once

#include "drives.h"
#include "mountinfo.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

class DirListBox;
class DriveListBox;
class FileListBox;

// Keeps the browser in step with the machine while the player runs: drives
// follow the mount table, and the folder and file lists follow the content of
// the folder they show. Both watches wait on kernel notices, so an idle
// player spends no time on them.
class BrowserWatch : public QObject {
    Q_OBJECT
public:
    BrowserWatch(DriveListBox& drive1, DirListBox& dir1, FileListBox& file1, QObject* parent = nullptr);

    // The drive list for these mounts. The selected drive stays selected; if
    // it went away, the first drive is selected and opened, as at start.
    void applyMounts(const QList<MountEntry>& mounts);
    // Lists the shown folder again; a folder that went away gives way to its
    // nearest remaining parent.
    void refreshFolder();

    bool watchingMounts() const { return m_mounts.watching(); }
    QStringList watchedFolders() const { return m_folder.directories(); }

private:
    void followFolder();

    DriveListBox& m_drive1;
    DirListBox& m_dir1;
    FileListBox& m_file1;
    MountWatcher m_mounts;
    QFileSystemWatcher m_folder;
    // A copy of many files changes the folder many times; one refresh after
    // the burst settles is enough.
    QTimer m_settle;
};
