#include "readingslog.h"

#include "sayonce.h"
#include "statusline.h"

#include <QFile>
#include <QMetaObject>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

QByteArray csvField(const QString& text)
{
    QByteArray field = text.toUtf8();
    if (field.contains(',') || field.contains('"') || field.contains('\n') || field.contains('\r'))
        field = '"' + field.replace("\"", "\"\"") + '"';
    return field;
}

// Appends `data` to the file at `path`, with the header first when the file is
// new or empty. "" on success, else the system's reason.
QString appendToFile(const QByteArray& path, const QByteArray& data)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    struct stat st { };
    QByteArray out = (::fstat(fd, &st) == 0 && st.st_size == 0) ? QByteArray(kLogHeader) + data : data;
    QString reason;
    for (qsizetype done = 0; done < out.size() && reason.isEmpty();) {
        const ssize_t n = ::write(fd, out.constData() + done, size_t(out.size() - done));
        if (n > 0)
            done += n;
        else if (n < 0 && errno != EINTR)
            reason = QString::fromLocal8Bit(std::strerror(errno));
    }
    ::close(fd);
    return reason;
}

} // namespace

QByteArray csvRow(const ConsoleEvent& row)
{
    QStringList fields { row.time.toLocalTime().toString(Qt::ISODateWithMs), row.event, row.reading,
        row.setPoint, row.alarm ? QString::number(*row.alarm) : QString(), row.mode };
    // Only a remote command's row has a seventh field, its detail: rows of
    // files written before keep their six.
    if (!row.detail.isEmpty())
        fields << row.detail;
    QByteArray line;
    for (const QString& field : fields)
        line += csvField(field) + ',';
    line.back() = '\n';
    return line;
}

struct ReadingsLog::Writer {
    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable drained;
    std::deque<QByteArray> pending;
    bool busy = false;
    bool stopping = false;
    std::thread thread;
};

ReadingsLog::ReadingsLog(const QString& path, QObject* parent)
    : QObject(parent)
    , m_path(path)
    , m_writer(std::make_unique<Writer>())
{
    Writer& w = *m_writer;
    const QByteArray file = QFile::encodeName(path);
    w.thread = std::thread([this, &w, file] {
        bool failing = false; // the last write failed
        std::unique_lock lock(w.mutex);
        for (;;) {
            w.wake.wait(lock, [&] { return w.stopping || !w.pending.empty(); });
            if (w.pending.empty())
                return;
            const QByteArray row = std::move(w.pending.front());
            w.pending.pop_front();
            w.busy = true;
            lock.unlock();
            const QString reason = appendToFile(file, row);
            if (!reason.isEmpty())
                QMetaObject::invokeMethod(
                    this, [this, reason] { reportFailure(reason); }, Qt::QueuedConnection);
            else if (failing)
                QMetaObject::invokeMethod(this, &ReadingsLog::noteRecovered, Qt::QueuedConnection);
            failing = !reason.isEmpty();
            lock.lock();
            w.busy = false;
            w.drained.notify_all();
        }
    });
}

ReadingsLog::~ReadingsLog()
{
    {
        std::lock_guard lock(m_writer->mutex);
        m_writer->stopping = true;
    }
    m_writer->wake.notify_all();
    m_writer->thread.join();
}

void ReadingsLog::append(const ConsoleEvent& row)
{
    {
        std::lock_guard lock(m_writer->mutex);
        if (m_writer->pending.size() < size_t(kMaxPending)) {
            m_writer->pending.push_back(csvRow(row));
            m_writer->wake.notify_one();
            return;
        }
    }
    reportFailure(QStringLiteral("写入太慢，记录被丢弃"));
}

bool ReadingsLog::waitWritten(int timeoutMs)
{
    std::unique_lock lock(m_writer->mutex);
    return m_writer->drained.wait_for(lock, std::chrono::milliseconds(timeoutMs),
        [&] { return m_writer->pending.empty() && !m_writer->busy; });
}

void ReadingsLog::follow(ConsoleEvents& events, StatusLine& status)
{
    static const QString fault = QStringLiteral("log");
    connect(&events, &ConsoleEvents::happened, this, &ReadingsLog::append);
    connect(this, &ReadingsLog::failed, &status, [&status](const QString& message) {
        status.raise(fault, message);
        say(message);
    });
    connect(this, &ReadingsLog::recovered, &status, [&status] { status.clear(fault); });
}

void ReadingsLog::noteRecovered()
{
    if (std::exchange(m_reported, false))
        emit recovered();
}

void ReadingsLog::reportFailure(const QString& reason)
{
    if (std::exchange(m_reported, true))
        return;
    emit failed(QStringLiteral("读数记录文件 %1 无法写入：%2").arg(m_path, reason));
}
