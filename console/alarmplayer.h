// The alarm buzzer: the alarm sound looped once a second on an audio stream
// of its own while the alarm sounds. The stream never runs dry (the sound is
// padded with silence to the second), so the sound server keeps playing it for
// as long as the alarm lasts; buzzerAction() decides at each tick whether the
// stream is opened, kept, closed or opened afresh.
//
// The stream is an audio sink fed with the loop. Qt's audio engine reconnects
// to a sound server it lost only once, three seconds later; when it has given
// up, a sink fails at once, and the sound file is played instead by a media
// player made afresh at each tick, which connects anew each time. When the sound cannot be
// played, fault() says why until it plays again.
#pragma once

#include "alarmstate.h"
#include "wavsound.h"

#include <QAudioFormat>
#include <QObject>
#include <QString>

#include <memory>
#include <optional>

class AlarmPlayer : public QObject {
    Q_OBJECT
public:
    static constexpr int kPeriodMs = 1000;
    // The sink's buffer: the longest the window may be busy without a gap.
    static constexpr int kBufferMs = 250;

    explicit AlarmPlayer(const QString& path, QObject* parent = nullptr);
    ~AlarmPlayer() override;

    // At each buzzer tick: whether the alarm sounds now.
    void tick(bool sounding);
    // Silences the buzzer at once (acknowledged, cleared, link ended).
    void stop();

    const QString& path() const { return m_path; }
    // Asked to sound at the last tick and not stopped since (whether or not a
    // sound device plays it).
    bool sounding() const { return m_sounding; }
    // Why the sound cannot be played, in the operator's words; "" while it
    // plays or was not needed yet.
    const QString& fault() const { return m_fault; }

    // One way of playing the loop.
    class Stream {
    public:
        virtual ~Stream() = default;
        // How it fared since the last look; on failure `fault` says why.
        virtual BuzzerStream look(QString* fault) = 0;
        // A tick of a stream that is kept.
        virtual void beat() { }
    };

signals:
    void faultChanged(const QString& fault);

private:
    BuzzerStream look();
    void open();
    void setFault(const QString& fault);

    QString m_path;
    std::optional<wav::Sound> m_loop; // one period of the sound
    QString m_fileProblem;
    std::unique_ptr<Stream> m_stream;
    bool m_sounding = false;
    QString m_fault;
};
