#include "mpris.h"

#include "coverart.h"
#include "listboxes.h"
#include "mediaplayer.h"
#include "seekslider.h"

#include "songtags.h"

#include <QFileInfo>
#include <QItemSelectionModel>
#include <QUrl>

namespace {

constexpr qint64 kUsPerMs = 1000;

} // namespace

MprisService::MprisService(MediaPlayer& player, FileListBox& files, Actions actions, QObject* parent)
    : QObject(parent)
    , m_player(player)
    , m_files(files)
    , m_actions(std::move(actions))
{
    connect(&m_player, &MediaPlayer::changed, this, &MprisService::announce);
    // The file list changes its rows and selection with its own signals
    // blocked; its model and selection model still tell.
    connect(m_files.model(), &QAbstractItemModel::modelReset, this, &MprisService::announce);
    connect(m_files.model(), &QAbstractItemModel::rowsInserted, this, &MprisService::announce);
    connect(m_files.selectionModel(), &QItemSelectionModel::currentChanged, this, &MprisService::announce);
    // A seek on the player's own slider is a jump of position too.
    connect(&m_player.positionSlider(), &SeekSlider::seekRequested, this,
        [this](int milliseconds) { emit seeked(qlonglong(milliseconds) * kUsPerMs); });
    m_lastAnnounced = announced();
}

void MprisService::Play()
{
    if (m_player.playState() != MediaPlayer::Playing)
        m_player.controls.play();
}

void MprisService::Pause()
{
    m_player.controls.pause();
}

void MprisService::PlayPause()
{
    m_player.playState() == MediaPlayer::Playing ? Pause() : Play();
}

void MprisService::Stop()
{
    m_player.controls.stop();
}

void MprisService::Next()
{
    if (m_actions.next)
        m_actions.next();
}

void MprisService::Previous()
{
    if (m_actions.previous)
        m_actions.previous();
}

// Before the start clamps to the start; past the end moves on, as the
// remote's next-song key does.
void MprisService::Seek(qlonglong offsetUs)
{
    if (!canSeek())
        return;
    const qint64 target = qMax<qint64>(0, m_player.position() + offsetUs / kUsPerMs);
    const qint64 length = m_player.duration();
    if (length > 0 && target > length) {
        Next();
        return;
    }
    jumpTo(target);
}

void MprisService::SetPosition(const QDBusObjectPath& track, qlonglong positionUs)
{
    const qint64 length = m_player.duration() * kUsPerMs;
    if (track != trackId() || positionUs < 0 || positionUs > length || !canSeek())
        return;
    jumpTo(positionUs / kUsPerMs);
}

void MprisService::jumpTo(qint64 milliseconds)
{
    m_player.setPosition(milliseconds);
    emit seeked(milliseconds * kUsPerMs);
}

QString MprisService::playbackStatus() const
{
    switch (m_player.playState()) {
    case MediaPlayer::Playing:
        return QStringLiteral("Playing");
    case MediaPlayer::Paused:
        return QStringLiteral("Paused");
    default:
        return QStringLiteral("Stopped");
    }
}

QDBusObjectPath MprisService::trackId() const
{
    if (m_player.URL().isEmpty())
        return QDBusObjectPath(QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack"));
    if (m_player.URL() != m_trackUrl) {
        m_trackUrl = m_player.URL();
        ++m_trackNumber;
    }
    return QDBusObjectPath(QStringLiteral("/org/mpris/MediaPlayer2/Track/%1").arg(m_trackNumber));
}

QVariantMap MprisService::metadata() const
{
    QVariantMap data { { QStringLiteral("mpris:trackid"), QVariant::fromValue(trackId()) } };
    const QString url = m_player.URL();
    if (url.isEmpty())
        return data;
    QString title = m_player.title();
    if (title.isEmpty())
        title = QFileInfo(url).completeBaseName();
    data.insert(QStringLiteral("xesam:title"), title);
    data.insert(QStringLiteral("xesam:url"), QUrl::fromLocalFile(url).toString());
    if (m_player.duration() > 0)
        data.insert(QStringLiteral("mpris:length"), qlonglong(m_player.duration() * kUsPerMs));
    const SongTags tags = m_player.tags();
    if (!tags.artists.isEmpty())
        data.insert(QStringLiteral("xesam:artist"), tags.artists);
    if (!tags.album.isEmpty())
        data.insert(QStringLiteral("xesam:album"), tags.album);
    if (const QString art = artUrl(); !art.isEmpty())
        data.insert(QStringLiteral("mpris:artUrl"), art);
    return data;
}

// Clients do not read pictures out of media files: an embedded cover is
// written to the user's cache folder (once), else a picture beside the song
// serves. Looked for once per item and picture, not at every announcement.
QString MprisService::artUrl() const
{
    const SongTags tags = m_player.tags();
    const QString key = m_player.URL() + QLatin1Char('\n') + QString::number(tags.cover.cacheKey());
    if (key != m_artKey) {
        m_artKey = key;
        const QString file = CoverFor(m_player.URL(), tags.cover);
        m_artUrl = file.isEmpty() ? QString() : QUrl::fromLocalFile(file).toString();
    }
    return m_artUrl;
}

double MprisService::volume() const
{
    return m_player.settings.volume() / 100.0;
}

void MprisService::setVolume(double volume)
{
    m_player.settings.setVolume(qRound(qBound(0.0, volume, 1.0) * 100));
}

qlonglong MprisService::position() const
{
    return m_player.position() * kUsPerMs;
}

bool MprisService::canGoNext() const
{
    return m_files.ListIndex() < m_files.ListCount() - 1;
}

bool MprisService::canGoPrevious() const
{
    return m_files.ListIndex() > 0;
}

bool MprisService::canPlay() const
{
    return !m_player.URL().isEmpty() && !m_player.showingPicture();
}

bool MprisService::canSeek() const
{
    return canPlay() && m_player.isSeekable();
}

void MprisService::raise() const
{
    if (m_actions.raise)
        m_actions.raise();
}

void MprisService::quit() const
{
    if (m_actions.quit)
        m_actions.quit();
}

QString MprisService::loopStatus() const
{
    return LoopStatusText(m_player.settings.loop());
}

void MprisService::setLoopStatus(const QString& status)
{
    if (const std::optional<LoopStatus> loop = LoopStatusFromText(status))
        m_player.settings.setLoop(*loop);
}

bool MprisService::shuffle() const
{
    return m_player.settings.shuffle();
}

void MprisService::setShuffle(bool on)
{
    m_player.settings.setShuffle(on);
}

// The Player properties that clients are told about when they change
// (Position is not among them: clients ask for it).
QVariantMap MprisService::announced() const
{
    return { { QStringLiteral("PlaybackStatus"), playbackStatus() },
        { QStringLiteral("Metadata"), metadata() }, { QStringLiteral("Volume"), volume() },
        { QStringLiteral("CanGoNext"), canGoNext() }, { QStringLiteral("CanGoPrevious"), canGoPrevious() },
        { QStringLiteral("CanPlay"), canPlay() }, { QStringLiteral("CanPause"), canPlay() },
        { QStringLiteral("CanSeek"), canSeek() }, { QStringLiteral("LoopStatus"), loopStatus() },
        { QStringLiteral("Shuffle"), shuffle() } };
}

void MprisService::announce()
{
    const QVariantMap now = announced();
    QVariantMap changed;
    for (auto it = now.cbegin(); it != now.cend(); ++it) {
        if (m_lastAnnounced.value(it.key()) != it.value())
            changed.insert(it.key(), it.value());
    }
    m_lastAnnounced = now;
    if (!changed.isEmpty())
        emit propertiesChanged(changed);
}
