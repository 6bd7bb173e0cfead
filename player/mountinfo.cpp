#include "mountinfo.h"

#include <QSocketNotifier>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Undoes the kernel's \ooo escapes of blanks, tabs, line breaks and
// backslashes in a path field.
QString unescapePath(const QByteArray& field)
{
    QByteArray out;
    out.reserve(field.size());
    const auto digit = [&](qsizetype at, char top) { return field.at(at) >= '0' && field.at(at) <= top; };
    for (qsizetype i = 0; i < field.size(); ++i) {
        const bool octal = field.at(i) == '\\' && i + 3 < field.size() && digit(i + 1, '3')
            && digit(i + 2, '7') && digit(i + 3, '7');
        if (!octal) {
            out.append(field.at(i));
            continue;
        }
        out.append(
            char((field.at(i + 1) - '0') * 64 + (field.at(i + 2) - '0') * 8 + (field.at(i + 3) - '0')));
        i += 3;
    }
    return QString::fromUtf8(out);
}

bool parseLine(const QByteArray& line, MountEntry& entry)
{
    const QList<QByteArray> fields = line.split(' ');
    const qsizetype dash = fields.indexOf(QByteArrayLiteral("-"), 6);
    if (fields.size() < 6 || dash < 0 || dash + 1 >= fields.size() || !fields.at(4).startsWith('/'))
        return false;
    entry.mountPath = unescapePath(fields.at(4));
    entry.fsType = QString::fromUtf8(fields.at(dash + 1));
    return !entry.fsType.isEmpty();
}

} // namespace

QList<MountEntry> ParseMountInfo(const QByteArray& text)
{
    QList<MountEntry> mounts;
    for (const QByteArray& line : text.split('\n')) {
        MountEntry entry;
        if (parseLine(line, entry))
            mounts.append(entry);
    }
    return mounts;
}

MountWatcher::MountWatcher(const QString& path, QObject* parent)
    : QObject(parent)
{
    m_fd = ::open(path.toLocal8Bit().constData(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0)
        return;
    m_notifier = std::make_unique<QSocketNotifier>(m_fd, QSocketNotifier::Exception);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &MountWatcher::reread);
    reread();
}

MountWatcher::~MountWatcher()
{
    m_notifier.reset();
    if (m_fd >= 0)
        ::close(m_fd);
}

// Reading the file from its start is also what clears the kernel's change
// mark, so every notice is followed by a full read.
void MountWatcher::reread()
{
    QByteArray text;
    char buf[16384];
    if (::lseek(m_fd, 0, SEEK_SET) < 0)
        return;
    for (;;) {
        const ssize_t n = ::read(m_fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        text.append(buf, n);
    }
    if (text == m_text)
        return;
    m_text = text;
    m_mounts = ParseMountInfo(text);
    emit changed(m_mounts);
}
