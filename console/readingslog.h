// The readings log: one CSV row per complete reading line, set-point save,
// link change and alarm event, appended to a file the operator names (--log FILE, or the key LOG
// of section TEMP). Rows are handed to a writer thread, so a slow or stuck disk
// never holds up the window; each row is written whole and at once. A failure
// is reported once (failed()) and never stops the console; later rows are
// still tried, so a log that recovers (space freed) carries on.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QObject>
#include <QString>

#include <memory>
#include <optional>

// One row: time, event, reading, set-point in force, alarm state, mode.
struct LogRow {
    QDateTime time;
    // "reading", "setpoint", "connected", "reconnected", "disconnected", "lost",
    // "alarm", "acknowledged", "cleared", "quiet", "resumed"
    QString event;
    QString reading;
    QString setPoint;
    std::optional<int> alarm;
    QString mode; // "measuring" or "setpoint"
};

inline constexpr char kLogHeader[] = "time,event,reading,setpoint,alarm,mode\n";

// The row as one CSV line (ISO 8601 local time with milliseconds; fields with a
// comma, quote or line break quoted, quotes doubled), newline included.
QByteArray csvRow(const LogRow& row);

class ReadingsLog : public QObject {
    Q_OBJECT
public:
    // Rows are kept in memory at most this many while the disk lags behind;
    // beyond that new rows are dropped (and reported).
    static constexpr int kMaxPending = 10000;

    explicit ReadingsLog(const QString& path, QObject* parent = nullptr);
    ~ReadingsLog() override; // writes what is pending, then stops the writer

    const QString& path() const { return m_path; }
    // Queues the row; returns at once.
    void append(const LogRow& row);
    // Waits until every queued row was written or failed (tests, shutdown).
    bool waitWritten(int timeoutMs);

signals:
    // The first failure, in words for the operator (emitted on the window's thread).
    void failed(const QString& message);

private:
    struct Writer;
    void reportFailure(const QString& reason);

    QString m_path;
    std::unique_ptr<Writer> m_writer;
    bool m_reported = false;
};
