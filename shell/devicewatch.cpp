#include "devicewatch.h"

#include <QFile>
#include <QTimer>

#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>
#include <vector>

namespace {

// Names in `dir` that start with one of `prefixes` (all names when empty), sorted.
std::vector<std::string> names(const QString& dir, std::initializer_list<const char*> prefixes)
{
    std::vector<std::string> found;
    DIR* d = ::opendir(QFile::encodeName(dir).constData());
    if (!d)
        return found;
    while (const dirent* e = ::readdir(d)) {
        const bool wanted = prefixes.size() == 0
            || std::any_of(prefixes.begin(), prefixes.end(),
                [&](const char* p) { return std::strncmp(e->d_name, p, std::strlen(p)) == 0; });
        if (wanted && e->d_name[0] != '.')
            found.emplace_back(e->d_name);
    }
    ::closedir(d);
    std::sort(found.begin(), found.end());
    return found;
}

void appendPath(QByteArray& out, const QString& path)
{
    struct stat st { };
    out += QFile::encodeName(path);
    if (::stat(QFile::encodeName(path).constData(), &st) == 0)
        out += QByteArray::number(qulonglong(st.st_rdev)) + ':' + QByteArray::number(qulonglong(st.st_ino));
    else
        out += '-';
    out += '\n';
}

} // namespace

QByteArray deviceFingerprint(const QStringList& watched, const QString& devDir, const QString& byIdDir)
{
    QByteArray out;
    for (const std::string& name : names(devDir, { "ttyUSB", "ttyACM" }))
        out.append(name.data(), qsizetype(name.size())).append(' ');
    out += '|';
    for (const std::string& name : names(byIdDir, {}))
        out.append(name.data(), qsizetype(name.size())).append(' ');
    out += '|';
    for (const QString& path : watched)
        appendPath(out, path);
    return out;
}

DeviceWatch::DeviceWatch(QObject* parent)
    : QObject(parent)
    , m_timer(new QTimer(this))
{
    connect(m_timer, &QTimer::timeout, this, &DeviceWatch::look);
}

void DeviceWatch::setWatchedPaths(const QStringList& paths)
{
    m_watched = paths;
    m_fingerprint = deviceFingerprint(m_watched);
}

void DeviceWatch::start(int intervalMs)
{
    m_fingerprint = deviceFingerprint(m_watched);
    m_timer->start(intervalMs);
}

void DeviceWatch::look()
{
    QByteArray now = deviceFingerprint(m_watched);
    if (now != m_fingerprint) {
        m_fingerprint = std::move(now);
        emit devicesChanged();
    }
    emit looked();
}
