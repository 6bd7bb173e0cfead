#pragma once

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QObject>
#include <QVariantMap>

#include <functional>

class FileListBox;
class MediaPlayer;

// Desktop media controls: the player on the session bus as
// org.mpris.MediaPlayer2.remoteplayer, so media keys, playerctl and phone
// remotes drive it like the infrared remote. This class holds the behaviour;
// the two adaptors in mprisadaptors.h only put it on the bus.
class MprisService : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kServiceName = "org.mpris.MediaPlayer2.remoteplayer";
    static constexpr const char* kObjectPath = "/org/mpris/MediaPlayer2";
    static constexpr const char* kPlayerInterface = "org.mpris.MediaPlayer2.Player";

    struct Actions {
        std::function<void()> next; // the remote's next-song action
        std::function<void()> previous; // the remote's previous-song action
        std::function<void()> raise; // bring the window to the front
    };

    MprisService(MediaPlayer& player, FileListBox& files, Actions actions, QObject* parent = nullptr);
    ~MprisService() override;

    // Puts the player on the bus. Without a usable bus it says once per
    // program run on standard error that media controls are off, and the
    // player goes on without them.
    bool registerOn(QDBusConnection bus);

    // Player interface.
    void Play();
    void Pause();
    void PlayPause();
    void Stop();
    void Next();
    void Previous();
    void Seek(qlonglong offsetUs);
    void SetPosition(const QDBusObjectPath& track, qlonglong positionUs);
    QString playbackStatus() const;
    QVariantMap metadata() const;
    double volume() const;
    void setVolume(double volume);
    qlonglong position() const;
    bool canGoNext() const;
    bool canGoPrevious() const;
    bool canPlay() const;
    bool canSeek() const;
    void raise() const;

    QDBusObjectPath trackId() const;

    // Sends PropertiesChanged for what changed since the last announcement.
    void announce();

signals:
    void seeked(qlonglong positionUs);

private:
    QVariantMap announced() const;
    void jumpTo(qint64 milliseconds);

    MediaPlayer& m_player;
    FileListBox& m_files;
    Actions m_actions;
    QObject* m_exported = nullptr; // carries the adaptors
    QDBusConnection m_bus { QString() };
    bool m_registered = false;
    QVariantMap m_lastAnnounced;
    // A new item gets a new track id, found when the id is next asked for.
    mutable QString m_trackUrl;
    mutable int m_trackNumber = 0;
};
