// The readings log: one CSV row per complete reading line, set-point save,
// link change and alarm event, appended to a file the operator names (--log FILE, or the key LOG
// of section TEMP). Rows are handed to a writer thread, so a slow or stuck disk
// never holds up the window; each row is written whole and at once. A failure
// is reported once (failed()) and never stops the console; later rows are
// still tried, so a log that recovers (space freed) carries on.
#pragma once

#include "consoleevents.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>

class StatusLine;

inline constexpr char kLogHeader[] = "time,event,reading,setpoint,alarm,mode\n";

// The row as one CSV line (ISO 8601 local time with milliseconds; fields with a
// comma, quote or line break quoted, quotes doubled), newline included.
QByteArray csvRow(const ConsoleEvent& row);

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
    void append(const ConsoleEvent& row);
    // Writes every event of `events`, and keeps a failure standing in `status`
    // (and says it on standard error) until the log writes again.
    void follow(ConsoleEvents& events, StatusLine& status);
    // Waits until every queued row was written or failed (tests, shutdown).
    bool waitWritten(int timeoutMs);

signals:
    // The first failure, in words for the operator (emitted on the window's
    // thread); after recovered() a new failure is reported again.
    void failed(const QString& message);
    // A row was written after a failure.
    void recovered();

private:
    struct Writer;
    void reportFailure(const QString& reason);
    void noteRecovered();

    QString m_path;
    std::unique_ptr<Writer> m_writer;
    bool m_reported = false;
};
