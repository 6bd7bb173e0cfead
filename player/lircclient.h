#pragma once

#include "lircevent.h"

#include <QLocalSocket>
#include <QObject>
#include <QString>
#include <QTimer>

// A client of the infrared daemon's socket: each key the daemon decodes
// comes out as a press or a repeat of a named button. The daemon may be
// missing at start, or stop and start again while the player runs: the
// client says so once and keeps trying to reach it.
class LircClient : public QObject {
    Q_OBJECT
public:
    static constexpr int kRetryMs = 1500;

    explicit LircClient(const QString& socketPath, QObject* parent = nullptr);
    ~LircClient() override;

    // Starts connecting; the outcome comes as a status.
    void start();
    bool isConnected() const { return m_link == Link::Connected; }
    const QString& socketPath() const { return m_path; }

signals:
    // A key pressed: the button's name, as a key line.
    void pressed(const QString& button);
    // The same key still held.
    void repeated(const QString& button);
    // The link changed: a text for the status line.
    void status(const QString& text);

private:
    enum class Link { Starting, Connected, Away };

    void connectNow();
    void onConnected();
    void onGone();
    void onReadyRead();

    QString m_path;
    QLocalSocket m_socket;
    QTimer m_retry;
    LircEventReader m_reader;
    Link m_link = Link::Starting;
};
