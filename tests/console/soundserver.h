// A sound server of the test's own: PulseAudio on a private socket with one
// null sink, and its monitor recorded (parec) to tell, a tenth of a second at
// a time, whether anything was heard.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QVector>

#include <memory>

class SoundServer {
public:
    static constexpr int kWindowMs = 100;

    SoundServer();
    ~SoundServer();
    SoundServer(const SoundServer&) = delete;
    SoundServer& operator=(const SoundServer&) = delete;

    // The address this process's sound clients must use; set it as
    // PULSE_SERVER before anything plays.
    QString address() const;
    // Starts the server (again, after kill()) and its recording; on failure
    // says why.
    bool start(QString* why);
    // Kills the server at once, as a crash would.
    void kill();

    // One entry per 100 ms recorded since start(): whether it was loud.
    QVector<bool> heard();
    // Milliseconds until a loud window comes (-1: none within `timeoutMs`),
    // counting from the recording as it stands now.
    int waitHeard(int timeoutMs);
    // Waits until `ms` of silence were recorded in a row (false on timeout).
    bool waitSilent(int ms, int timeoutMs);

private:
    void read();

    QString m_dir;
    std::unique_ptr<QProcess> m_server, m_recorder;
    QByteArray m_pending;
    QVector<bool> m_heard;
};
