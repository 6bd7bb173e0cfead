// Saving the set-point shown in set-point mode as SETTEMP. A save that fails
// stands in the status line until one works again, and is shown once in a
// message box, opened from the event loop (never inside the receive handler).
#pragma once

#include <QObject>
#include <QString>

class StatusLine;
class QWidget;

class SetPointStore : public QObject {
    Q_OBJECT
public:
    SetPointStore(QWidget& window, const QString& title, StatusLine& status, const QString& iniPath);

    // Writes `value`; an empty value (set-point mode never entered) keeps the
    // stored one.
    void save(const QString& value);

signals:
    void saved(const QString& value);

private:
    void report(const QString& reason);
    void showQueuedMessage();

    QWidget& m_window;
    QString m_title;
    StatusLine& m_status;
    QString m_iniPath;
    QString m_lastFailure; // shown once until a save works again
    QString m_queuedMessage;
};
