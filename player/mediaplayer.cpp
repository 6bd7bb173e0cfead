#include "mediaplayer.h"

#include "infotext.h"
#include "mediaerror.h"
#include "mediafiles.h"
#include "namedwidgets.h"
#include "pictureview.h"
#include "seekslider.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QMediaMetaData>
#include <QMediaPlayer>
#include <QSignalBlocker>
#include <QSlider>
#include <QStackedWidget>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <QVideoWidget>

#include <utility>

namespace {

// A transport control: named, and explained by its caption on hover.
template <typename W> W* transport(W* widget, const char* name, const QString& caption)
{
    named::control(widget, QLatin1String(name), caption)->setToolTip(caption);
    return widget;
}

QToolButton* transportButton(
    QWidget* parent, const char* name, const QString& caption, QStyle::StandardPixmap icon)
{
    auto* b = transport(new QToolButton(parent), name, caption);
    b->setIcon(parent->style()->standardIcon(icon));
    return b;
}

QSlider* transportSlider(QWidget* parent, const char* name, const QString& caption)
{
    return transport(new QSlider(Qt::Horizontal, parent), name, caption);
}

} // namespace

MediaPlayer::MediaPlayer(QWidget* parent)
    : QWidget(parent)
    , m_player(std::make_unique<QMediaPlayer>())
    , m_audio(std::make_unique<QAudioOutput>())
{
    m_player->setAudioOutput(m_audio.get());
    buildControls();
    m_player->setVideoOutput(m_video);
    applyVolume();
    connect(m_player.get(), &QMediaPlayer::playbackStateChanged, this, &MediaPlayer::updateTransport);
    connect(m_player.get(), &QMediaPlayer::positionChanged, this, &MediaPlayer::updateTransport);
    connect(m_player.get(), &QMediaPlayer::durationChanged, this, &MediaPlayer::updateTransport);
    connect(m_player.get(), &QMediaPlayer::errorOccurred, this, [this](QMediaPlayer::Error error) {
        reportUnplayable(MediaErrorText(error));
        if (error != QMediaPlayer::NoError)
            releaseLater(Undefined);
    });
    connect(m_player.get(), &QMediaPlayer::mediaStatusChanged, this,
        [this](QMediaPlayer::MediaStatus status) { onMediaStatus(status); });
    updateTransport();
}

MediaPlayer::~MediaPlayer()
{
    // The engine must let go of the video widget before the widget goes.
    m_player->stop();
    m_player->setVideoOutput(nullptr);
}

void MediaPlayer::buildControls()
{
    m_screen
        = named::control(new QStackedWidget(this), QStringLiteral("wmp1Screen"), QStringLiteral("播放画面"));
    m_video = new QVideoWidget(m_screen);
    m_video->setAccessibleName(QStringLiteral("视频"));
    m_pictureView = new PictureView(m_screen);
    m_pictureView->setAccessibleName(QStringLiteral("图片"));
    m_screen->addWidget(m_video);
    m_screen->addWidget(m_pictureView);

    m_playPause = transportButton(this, "wmp1PlayPause", QStringLiteral("播放/暂停"), QStyle::SP_MediaPlay);
    m_stop = transportButton(this, "wmp1Stop", QStringLiteral("停止"), QStyle::SP_MediaStop);
    m_muteButton = transportButton(this, "wmp1Mute", QStringLiteral("静音"), QStyle::SP_MediaVolume);
    m_muteButton->setCheckable(true);
    m_position = transport(new SeekSlider(this), "wmp1Position", QStringLiteral("播放位置"));
    m_volumeSlider = transportSlider(this, "wmp1Volume", QStringLiteral("音量"));
    m_volumeSlider->setRange(0, 100);
    m_volumeSlider->setMaximumWidth(120);
    m_times = named::control(new QLabel(this), QStringLiteral("wmp1Times"), QStringLiteral("播放时间"));

    connect(m_playPause, &QToolButton::clicked, this,
        [this] { playState() == Playing ? controls.pause() : controls.play(); });
    connect(m_stop, &QToolButton::clicked, this, [this] { controls.stop(); });
    connect(m_muteButton, &QToolButton::toggled, this, [this](bool on) { settings.setMute(on); });
    connect(m_volumeSlider, &QSlider::valueChanged, this, [this](int v) { settings.setVolume(v); });
    connect(m_position, &SeekSlider::seekRequested, this, [this](int ms) { setPosition(ms); });

    auto* bar = new QHBoxLayout;
    for (QWidget* w : { static_cast<QWidget*>(m_playPause), static_cast<QWidget*>(m_stop) })
        bar->addWidget(w);
    bar->addWidget(m_position, 1);
    bar->addWidget(m_times);
    bar->addWidget(m_muteButton);
    bar->addWidget(m_volumeSlider);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(m_screen, 1);
    column->addLayout(bar);
}

void MediaPlayer::setURL(const QString& url)
{
    m_stoppedByRequest = false;
    m_reported = false;
    m_startAt = 0;
    m_pictureView->unload();
    if (url == m_url && !m_url.isEmpty() && m_released) {
        m_released->startAt = 0; // the same item again starts from its beginning
        reopen();
    } else if (url == m_url && !m_url.isEmpty()) {
        m_player->stop();
        if (m_player->mediaStatus() == QMediaPlayer::InvalidMedia)
            reportUnplayable(MediaErrorText(m_player->error()));
    } else {
        m_url = url;
        m_released.reset();
        m_known = {};
        ++m_opening;
        m_player->setSource(url.isEmpty() ? QUrl() : QUrl::fromLocalFile(url));
    }
    showPicture();
    updateTransport();
}

void MediaPlayer::onMediaStatus(int status)
{
    if (status == QMediaPlayer::InvalidMedia) {
        reportUnplayable(MediaErrorText(m_player->error()));
        releaseLater(Undefined);
    } else if (status == QMediaPlayer::EndOfMedia) {
        releaseLater(MediaEnded);
    } else if (m_startAt > 0 && m_player->isSeekable()
        && (status == QMediaPlayer::LoadedMedia || status == QMediaPlayer::BufferedMedia)) {
        // The engine moves only within an item it has opened and can seek in.
        m_player->setPosition(std::exchange(m_startAt, 0));
    }
}

// The engine closes the item's file; what it told of the item is kept and
// told instead, so the windows and the desktop controls see no change.
void MediaPlayer::release(int state)
{
    if (m_released || m_url.isEmpty() || showingPicture())
        return;
    m_known = Released { state, m_player->position(), duration(), m_player->isSeekable(), title() };
    m_released = m_known;
    m_player->setSource(QUrl());
    updateTransport();
}

// Asked for from the engine's own signals: the release waits until the
// engine has finished telling, and is dropped when the item was opened
// again or played again after its end in the meantime.
void MediaPlayer::releaseLater(int state)
{
    QMetaObject::invokeMethod(
        this,
        [this, state, opening = m_opening] {
            if (opening == m_opening
                && (state == Undefined || m_player->mediaStatus() == QMediaPlayer::EndOfMedia))
                release(state);
        },
        Qt::QueuedConnection);
}

// Opens a released item again, from its beginning or from where it was
// moved to meanwhile.
void MediaPlayer::reopen()
{
    m_startAt = m_released->startAt;
    m_released.reset();
    ++m_opening;
    m_player->setSource(QUrl::fromLocalFile(m_url));
}

qint64 MediaPlayer::position() const
{
    return m_released ? m_released->position : m_player->position();
}

qint64 MediaPlayer::duration() const
{
    if (m_released)
        return m_released->duration;
    return m_player->duration() > 0 ? m_player->duration() : m_known.duration;
}

bool MediaPlayer::isSeekable() const
{
    return m_released ? m_released->seekable : m_player->isSeekable();
}

QString MediaPlayer::title() const
{
    if (m_released)
        return m_released->title;
    const QString told = m_player->metaData().stringValue(QMediaMetaData::Title);
    return told.isEmpty() ? m_known.title : told;
}

void MediaPlayer::setPosition(qint64 milliseconds)
{
    if (!m_released) {
        m_player->setPosition(milliseconds);
        return;
    }
    m_released->position = m_released->startAt = milliseconds;
    updateTransport();
}

// Pictures are not for the media engine: they are decoded once here and
// shown scaled in the video area. A picture that does not decode says why.
void MediaPlayer::showPicture()
{
    if (m_url.isEmpty() || KindOfFile(m_url) != FileKind::Picture) {
        m_pictureView->unload();
        m_screen->setCurrentWidget(m_video);
        return;
    }
    m_player->setSource(QUrl());
    QString reason;
    if (!m_pictureView->load(m_url, &reason))
        reportUnplayable(reason);
    m_screen->setCurrentWidget(m_pictureView);
}

bool MediaPlayer::showingPicture() const
{
    return m_pictureView->hasPicture();
}

// Told after the current step has finished, so the line follows whatever
// the window writes about the item as it opens it.
void MediaPlayer::reportUnplayable(const QString& reason)
{
    if (m_reported || m_url.isEmpty())
        return;
    m_reported = true;
    const QString line = UnplayableLine(QFileInfo(m_url).fileName(), reason);
    QMetaObject::invokeMethod(
        this,
        [this, line, url = m_url] {
            if (url == m_url)
                emit unplayable(line);
        },
        Qt::QueuedConnection);
}

int MediaPlayer::playState() const
{
    if (showingPicture())
        return Ready;
    if (m_released)
        return m_released->state;
    switch (m_player->playbackState()) {
    case QMediaPlayer::PlayingState:
        return Playing;
    case QMediaPlayer::PausedState:
        return Paused;
    case QMediaPlayer::StoppedState:
        break;
    }
    switch (m_player->mediaStatus()) {
    case QMediaPlayer::EndOfMedia:
        return MediaEnded;
    case QMediaPlayer::NoMedia:
    case QMediaPlayer::InvalidMedia:
        return Undefined;
    default:
        return m_stoppedByRequest ? Stopped : Ready;
    }
}

void MediaPlayer::close()
{
    m_player->stop();
    m_player->setSource(QUrl());
    m_url.clear();
    m_startAt = 0;
    m_released.reset();
    m_known = {};
    ++m_opening;
    showPicture();
    updateTransport();
}

void MediaPlayer::updateTransport()
{
    const bool playing = m_player->playbackState() == QMediaPlayer::PlayingState;
    m_playPause->setIcon(style()->standardIcon(playing ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
    if (!m_position->isSliderDown()) {
        const QSignalBlocker quiet(m_position);
        m_position->setRange(0, int(qMin<qint64>(duration(), INT_MAX)));
        m_position->setValue(int(qMin<qint64>(position(), INT_MAX)));
    }
    m_times->setText(
        controls.currentPositionString() + QStringLiteral(" / ") + currentMedia.durationString());
}

void MediaPlayer::applyVolume()
{
    m_audio->setVolume(float(m_volume) / 100.0f);
    m_audio->setMuted(m_mute);
    const QSignalBlocker quietVolume(m_volumeSlider);
    m_volumeSlider->setValue(m_volume);
    // The button follows the state however it changed: by the remote, by
    // the desktop controls or by the button itself.
    const QSignalBlocker quietMute(m_muteButton);
    m_muteButton->setChecked(m_mute);
    // Icons are costly to make: only a change of state changes the icon.
    if (m_muteIconMuted != m_mute) {
        m_muteIconMuted = m_mute;
        m_muteButton->setIcon(
            style()->standardIcon(m_mute ? QStyle::SP_MediaVolumeMuted : QStyle::SP_MediaVolume));
    }
}

void MediaPlayer::Controls::play()
{
    m_p.m_stoppedByRequest = false;
    if (m_p.showingPicture() || m_p.m_url.isEmpty())
        return;
    if (m_p.m_released)
        m_p.reopen();
    m_p.m_player->play();
}

void MediaPlayer::Controls::pause()
{
    if (m_p.m_player->playbackState() == QMediaPlayer::PlayingState)
        m_p.m_player->pause();
}

void MediaPlayer::Controls::stop()
{
    m_p.m_stoppedByRequest = true;
    m_p.m_player->stop();
    m_p.release(m_p.playState());
}

QString MediaPlayer::Controls::currentPositionString() const
{
    return TimeText(m_p.position());
}

int MediaPlayer::Settings::volume() const
{
    return m_p.m_volume;
}

void MediaPlayer::Settings::setVolume(int volume)
{
    m_p.m_volume = qBound(0, volume, 100);
    m_p.applyVolume();
}

bool MediaPlayer::Settings::mute() const
{
    return m_p.m_mute;
}

void MediaPlayer::Settings::setMute(bool mute)
{
    m_p.m_mute = mute;
    m_p.applyVolume();
}

QString MediaPlayer::CurrentMedia::durationString() const
{
    return TimeText(m_p.duration());
}
