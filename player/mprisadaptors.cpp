#include "mprisadaptors.h"

#include "mpris.h"

MprisRootAdaptor::MprisRootAdaptor(MprisService& service, QObject* exported)
    : QDBusAbstractAdaptor(exported)
    , m_service(service)
{
}

QString MprisRootAdaptor::identity() const
{
    return QStringLiteral("红外遥控音乐播放器");
}

QString MprisRootAdaptor::desktopEntry() const
{
    // The installed desktop entry is io.tuvela.remoteplayer.desktop.
    return QStringLiteral("io.tuvela.remoteplayer");
}

QStringList MprisRootAdaptor::supportedUriSchemes() const
{
    return { QStringLiteral("file") };
}

QStringList MprisRootAdaptor::supportedMimeTypes() const
{
    return { QStringLiteral("audio/x-wav"), QStringLiteral("audio/mpeg"), QStringLiteral("audio/flac"),
        QStringLiteral("audio/ogg"), QStringLiteral("audio/opus"), QStringLiteral("audio/mp4"),
        QStringLiteral("audio/aac"), QStringLiteral("audio/x-ms-wma"), QStringLiteral("video/x-ms-asf"),
        QStringLiteral("video/x-ms-wmv"), QStringLiteral("video/x-msvideo"), QStringLiteral("video/mp4"),
        QStringLiteral("video/x-matroska"), QStringLiteral("video/webm"), QStringLiteral("video/mpeg"),
        QStringLiteral("application/vnd.rn-realmedia") };
}

void MprisRootAdaptor::Raise()
{
    m_service.raise();
}

MprisPlayerAdaptor::MprisPlayerAdaptor(MprisService& service, QObject* exported)
    : QDBusAbstractAdaptor(exported)
    , m_service(service)
{
}

QString MprisPlayerAdaptor::playbackStatus() const
{
    return m_service.playbackStatus();
}
QVariantMap MprisPlayerAdaptor::metadata() const
{
    return m_service.metadata();
}
double MprisPlayerAdaptor::volume() const
{
    return m_service.volume();
}
void MprisPlayerAdaptor::setVolume(double volume)
{
    m_service.setVolume(volume);
}
qlonglong MprisPlayerAdaptor::position() const
{
    return m_service.position();
}
bool MprisPlayerAdaptor::canGoNext() const
{
    return m_service.canGoNext();
}
bool MprisPlayerAdaptor::canGoPrevious() const
{
    return m_service.canGoPrevious();
}
bool MprisPlayerAdaptor::canPlay() const
{
    return m_service.canPlay();
}
bool MprisPlayerAdaptor::canSeek() const
{
    return m_service.canSeek();
}
void MprisPlayerAdaptor::Next()
{
    m_service.Next();
}
void MprisPlayerAdaptor::Previous()
{
    m_service.Previous();
}
void MprisPlayerAdaptor::Pause()
{
    m_service.Pause();
}
void MprisPlayerAdaptor::PlayPause()
{
    m_service.PlayPause();
}
void MprisPlayerAdaptor::Stop()
{
    m_service.Stop();
}
void MprisPlayerAdaptor::Play()
{
    m_service.Play();
}
void MprisPlayerAdaptor::Seek(qlonglong Offset)
{
    m_service.Seek(Offset);
}
void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath& TrackId, qlonglong Position)
{
    m_service.SetPosition(TrackId, Position);
}
