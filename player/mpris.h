#pragma once

#include <QDBusObjectPath>
#include <QObject>
#include <QVariantMap>

#include <functional>

class FileListBox;
class MediaPlayer;

// Desktop media controls: the player on the session bus as
// org.mpris.MediaPlayer2.remoteplayer, so media keys, playerctl and phone
// remotes drive it like the infrared remote. This class holds the behaviour
// and knows nothing of the bus; MprisBus (mprisbus.h) puts it there.
class MprisService : public QObject {
    Q_OBJECT
public:
    struct Actions {
        std::function<void()> next; // the remote's next-song action
        std::function<void()> previous; // the remote's previous-song action
        std::function<void()> raise; // bring the window to the front
        std::function<void()> quit; // end the program as the window's close box does
    };

    MprisService(MediaPlayer& player, FileListBox& files, Actions actions, QObject* parent = nullptr);

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
    QString loopStatus() const;
    // Names other than None, Track and Playlist change nothing.
    void setLoopStatus(const QString& status);
    bool shuffle() const;
    void setShuffle(bool on);
    qlonglong position() const;
    bool canGoNext() const;
    bool canGoPrevious() const;
    bool canPlay() const;
    bool canSeek() const;
    void raise() const;
    void quit() const;

    QDBusObjectPath trackId() const;

    // Tells what changed since the last announcement.
    void announce();

signals:
    // Player properties that changed, by name (never Position).
    void propertiesChanged(const QVariantMap& changed);
    // The position jumped at a client's request.
    void seeked(qlonglong positionUs);

private:
    QVariantMap announced() const;
    QString artUrl() const;
    void jumpTo(qint64 milliseconds);

    MediaPlayer& m_player;
    FileListBox& m_files;
    Actions m_actions;
    QVariantMap m_lastAnnounced;
    // A new item gets a new track id, found when the id is next asked for.
    mutable QString m_trackUrl;
    mutable int m_trackNumber = 0;
    // The cover picture's URL, found once per item and picture.
    mutable QString m_artKey;
    mutable QString m_artUrl;
};
