// The alarm buzzer: the alarm sound played asynchronously through QSoundEffect.
// Each play starts the sound again from its beginning; stop silences it at
// once. No file, or a missing one, gives silence.
#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QSoundEffect;

class AlarmPlayer : public QObject {
    Q_OBJECT
public:
    explicit AlarmPlayer(const QString& path, QObject* parent = nullptr);
    ~AlarmPlayer() override;

    // Starts the sound from its beginning, cutting a play still running.
    void play();
    void stop();

    const QString& path() const { return m_path; }
    // Whether a play was started and not stopped since (the sound device may
    // have finished it already, or be absent altogether).
    bool sounding() const { return m_sounding; }
    // Plays started so far.
    int starts() const { return m_starts; }
    // The sound effect, once the file was found.
    const QSoundEffect* effect() const { return m_effect.get(); }

private:
    QString m_path;
    std::unique_ptr<QSoundEffect> m_effect;
    bool m_sounding = false;
    int m_starts = 0;
};
