#pragma once

#include "drives.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include <memory>

class QSocketNotifier;

// The mount table as the kernel writes it in /proc/<pid>/mountinfo, one mount
// a line: "id parent major:minor root mountpoint options [tags...] - type
// source superoptions". Octal escapes in paths (\040 for a blank) are undone;
// lines that do not have that shape are skipped.
QList<MountEntry> ParseMountInfo(const QByteArray& text);

// Watches a mount table file. Linux marks /proc/self/mountinfo readable with
// priority data when a mount comes or goes, so the watch costs nothing while
// nothing changes: no timer, no polling.
class MountWatcher : public QObject {
    Q_OBJECT
public:
    explicit MountWatcher(
        const QString& path = QStringLiteral("/proc/self/mountinfo"), QObject* parent = nullptr);
    ~MountWatcher() override;

    // The mounts as last read; empty when the file cannot be read.
    const QList<MountEntry>& mounts() const { return m_mounts; }
    bool watching() const { return m_notifier != nullptr; }

signals:
    // The table was read again and differs from the last reading.
    void changed(const QList<MountEntry>& mounts);

private:
    void reread();

    int m_fd = -1;
    std::unique_ptr<QSocketNotifier> m_notifier;
    QByteArray m_text;
    QList<MountEntry> m_mounts;
};
