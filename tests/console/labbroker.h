// A private MQTT broker for the lab link's tests: mosquitto on two free ports
// of 127.0.0.1 (plain and TLS), with a password file, the per-bench ACL plus a
// supervisor, and a CA and server certificate made with openssl. A watcher
// (mosquitto_sub as the supervisor) records what the broker carries.
// Processes are started with fork and exec, which ThreadSanitizer follows
// (it loses track of threads after the raw clone QProcess uses).
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class LabBroker {
public:
    // Users and their passwords: bench01/secret1, bench02/secret2,
    // supervisor/watch.
    LabBroker();
    ~LabBroker();

    bool start(); // false when mosquitto did not come up
    void stop(); // SIGTERM
    void pause(); // SIGSTOP: takes connections, answers nothing
    void resume();

    int port() const { return m_port; }
    int tlsPort() const { return m_tlsPort; }
    QString url() const { return QStringLiteral("mqtt://127.0.0.1:%1").arg(m_port); }
    QString tlsUrl() const { return QStringLiteral("mqtts://localhost:%1").arg(m_tlsPort); }
    QString caFile() const { return m_dir.filePath(QStringLiteral("ca.crt")); }
    // A CA that signed nothing here.
    QString otherCaFile() const { return m_dir.filePath(QStringLiteral("other.crt")); }
    QString folder() const { return m_dir.path(); }

    // Publishes as the supervisor; `retain` sets the retain flag.
    bool publish(const QString& topic, const QString& payload, bool retain = false) const;

private:
    QTemporaryDir m_dir;
    int m_port = 0;
    int m_tlsPort = 0;
    int m_broker = 0; // its process id while it runs
};

// What the supervisor sees: each message as "topic<TAB>retained<TAB>payload".
class LabWatcher {
public:
    LabWatcher(const LabBroker& broker, const QString& topic);
    ~LabWatcher();
    // Reads what arrived so far.
    const QStringList& lines();
    // Waits up to `timeoutMs` for a line containing `text`.
    bool waitFor(const QString& text, int timeoutMs = 10000);
    // The payloads of `topic`, in order.
    QStringList payloads(const QString& topic);

private:
    int m_pid = 0;
    int m_out = -1;
    QStringList m_lines;
    QByteArray m_partial;
};
