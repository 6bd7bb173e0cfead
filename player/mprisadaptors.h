#pragma once

#include "mpris.h"

#include <QDBusAbstractAdaptor>
#include <QDBusObjectPath>
#include <QStringList>
#include <QVariantMap>

// org.mpris.MediaPlayer2: who the player is and what the desktop may ask of
// its window.
class MprisRootAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(bool CanQuit READ canQuit)
    Q_PROPERTY(bool CanRaise READ canRaise)
    Q_PROPERTY(bool HasTrackList READ hasTrackList)
    Q_PROPERTY(QString Identity READ identity)
    Q_PROPERTY(QString DesktopEntry READ desktopEntry)
    Q_PROPERTY(QStringList SupportedUriSchemes READ supportedUriSchemes)
    Q_PROPERTY(QStringList SupportedMimeTypes READ supportedMimeTypes)
public:
    MprisRootAdaptor(MprisService& service, QObject* exported);

    bool canQuit() const { return true; }
    bool canRaise() const { return true; }
    bool hasTrackList() const { return false; }
    QString identity() const;
    QString desktopEntry() const;
    QStringList supportedUriSchemes() const;
    QStringList supportedMimeTypes() const;

public slots:
    void Raise();
    void Quit();

private:
    MprisService& m_service;
};

// org.mpris.MediaPlayer2.Player: transport, position, volume and the
// current track.
class MprisPlayerAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ playbackStatus)
    Q_PROPERTY(double Rate READ rate)
    Q_PROPERTY(double MinimumRate READ rate)
    Q_PROPERTY(double MaximumRate READ rate)
    Q_PROPERTY(QVariantMap Metadata READ metadata)
    Q_PROPERTY(double Volume READ volume WRITE setVolume)
    Q_PROPERTY(QString LoopStatus READ loopStatus WRITE setLoopStatus)
    Q_PROPERTY(bool Shuffle READ shuffle WRITE setShuffle)
    Q_PROPERTY(qlonglong Position READ position)
    Q_PROPERTY(bool CanGoNext READ canGoNext)
    Q_PROPERTY(bool CanGoPrevious READ canGoPrevious)
    Q_PROPERTY(bool CanPlay READ canPlay)
    Q_PROPERTY(bool CanPause READ canPlay)
    Q_PROPERTY(bool CanSeek READ canSeek)
    Q_PROPERTY(bool CanControl READ canControl)
public:
    MprisPlayerAdaptor(MprisService& service, QObject* exported);

    // Every member hands the call to the service, which holds the behaviour.
    QString playbackStatus() const { return m_service.playbackStatus(); }
    double rate() const { return 1.0; }
    QVariantMap metadata() const { return m_service.metadata(); }
    double volume() const { return m_service.volume(); }
    void setVolume(double volume) { m_service.setVolume(volume); }
    QString loopStatus() const { return m_service.loopStatus(); }
    void setLoopStatus(const QString& status) { m_service.setLoopStatus(status); }
    bool shuffle() const { return m_service.shuffle(); }
    void setShuffle(bool on) { m_service.setShuffle(on); }
    qlonglong position() const { return m_service.position(); }
    bool canGoNext() const { return m_service.canGoNext(); }
    bool canGoPrevious() const { return m_service.canGoPrevious(); }
    bool canPlay() const { return m_service.canPlay(); }
    bool canSeek() const { return m_service.canSeek(); }
    bool canControl() const { return true; }

public slots:
    void Next() { m_service.Next(); }
    void Previous() { m_service.Previous(); }
    void Pause() { m_service.Pause(); }
    void PlayPause() { m_service.PlayPause(); }
    void Stop() { m_service.Stop(); }
    void Play() { m_service.Play(); }
    void Seek(qlonglong Offset) { m_service.Seek(Offset); }
    void SetPosition(const QDBusObjectPath& TrackId, qlonglong Position)
    {
        m_service.SetPosition(TrackId, Position);
    }

signals:
    void Seeked(qlonglong Position);

private:
    MprisService& m_service;
};
