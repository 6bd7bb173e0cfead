#include "mediaplayer.h"

#include "infotext.h"
#include "mediaerror.h"
#include "mediafiles.h"
#include "namedwidgets.h"
#include "pictureview.h"
#include "transportbar.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaMetaData>
#include <QMediaPlayer>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QVideoWidget>

#include <utility>

MediaPlayer::MediaPlayer(QWidget* parent)
    : QWidget(parent)
{
    buildControls();
    updateTransport();
}

MediaPlayer::~MediaPlayer()
{
    if (!m_player)
        return;
    // The engine must let go of the video widget before the widget goes.
    m_player->stop();
    m_player->setVideoOutput(nullptr);
}

void MediaPlayer::buildControls()
{
    m_screen
        = named::control(new QStackedWidget(this), QStringLiteral("wmp1Screen"), QStringLiteral("播放画面"));
    m_blank = new QWidget(m_screen);
    m_pictureView = new PictureView(m_screen);
    m_pictureView->setAccessibleName(QStringLiteral("图片"));
    m_screen->addWidget(m_blank);
    m_screen->addWidget(m_pictureView);
    m_bar = new TransportBar(this);

    connect(m_bar, &TransportBar::playPauseClicked, this,
        [this] { playState() == Playing ? controls.pause() : controls.play(); });
    connect(m_bar, &TransportBar::stopClicked, this, [this] { controls.stop(); });
    connect(m_bar, &TransportBar::muteToggled, this, [this](bool on) { settings.setMute(on); });
    connect(m_bar, &TransportBar::volumeMoved, this, [this](int v) { settings.setVolume(v); });
    connect(m_bar, &TransportBar::seekRequested, this, [this](int ms) { setPosition(ms); });
    connect(m_bar, &TransportBar::loopClicked, this, [this] { settings.setLoop(NextLoopStatus(m_loop)); });
    connect(m_bar, &TransportBar::shuffleToggled, this, [this](bool on) { settings.setShuffle(on); });

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(m_screen, 1);
    column->addWidget(m_bar);
    applyVolume();
}

// The engine and its video output cost more than the whole window: they are
// made the first time they are needed, or just after the window was drawn.
void MediaPlayer::setUpEngine()
{
    if (m_player)
        return;
    m_player = std::make_unique<QMediaPlayer>();
    m_audio = std::make_unique<QAudioOutput>();
    m_player->setAudioOutput(m_audio.get());
    m_video = new QVideoWidget(m_screen);
    m_video->setAccessibleName(QStringLiteral("视频"));
    m_screen->addWidget(m_video);
    m_player->setVideoOutput(m_video);
    showVideoArea();
    applyVolume();
    connectEngine();
}

void MediaPlayer::connectEngine()
{
    QMediaPlayer* engine = m_player.get();
    connect(engine, &QMediaPlayer::positionChanged, this, &MediaPlayer::updateTransport);
    connect(engine, &QMediaPlayer::playbackStateChanged, this, &MediaPlayer::updateTransport);
    connect(engine, &QMediaPlayer::playbackStateChanged, this, &MediaPlayer::changed);
    connect(engine, &QMediaPlayer::durationChanged, this, &MediaPlayer::updateTransport);
    connect(engine, &QMediaPlayer::durationChanged, this, &MediaPlayer::changed);
    connect(engine, &QMediaPlayer::sourceChanged, this, &MediaPlayer::changed);
    connect(engine, &QMediaPlayer::seekableChanged, this, &MediaPlayer::changed);
    connect(engine, &QMediaPlayer::metaDataChanged, this, &MediaPlayer::changed);
    connect(engine, &QMediaPlayer::errorOccurred, this, [this](QMediaPlayer::Error error) {
        reportUnplayable(MediaErrorText(error));
        if (error != QMediaPlayer::NoError)
            releaseLater(Undefined);
    });
    connect(engine, &QMediaPlayer::mediaStatusChanged, this, [this] {
        onMediaStatus();
        emit changed();
    });
}

QMediaPlayer& MediaPlayer::engine()
{
    setUpEngine();
    return *m_player;
}

void MediaPlayer::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    if (std::exchange(m_drawn, true))
        return;
    // After this paint has reached the screen.
    QTimer::singleShot(0, this, &MediaPlayer::setUpEngine);
}

SeekSlider& MediaPlayer::positionSlider()
{
    return m_bar->positionSlider();
}

QToolButton& MediaPlayer::muteButton()
{
    return m_bar->muteButton();
}

void MediaPlayer::setURL(const QString& url)
{
    m_stoppedByRequest = false;
    m_reported = false;
    m_pictureView->unload();
    if (url.isEmpty() || url != m_url)
        open(url);
    else
        rewind();
    showPicture();
    updateTransport();
}

// A new item: pictures never reach the engine.
void MediaPlayer::open(const QString& url)
{
    m_url = url;
    m_letGo.forget();
    ++m_opening;
    if (!url.isEmpty() && KindOfFile(url) != FileKind::Picture)
        engine().setSource(QUrl::fromLocalFile(url));
    else if (m_player)
        m_player->setSource(QUrl());
}

// The current item again, from its beginning.
void MediaPlayer::rewind()
{
    m_letGo.clearStart();
    if (m_letGo.letGoOf()) {
        reopen();
        return;
    }
    if (!m_player || KindOfFile(m_url) == FileKind::Picture)
        return;
    m_player->stop();
    if (m_player->mediaStatus() == QMediaPlayer::InvalidMedia)
        reportUnplayable(MediaErrorText(m_player->error()));
}

void MediaPlayer::onMediaStatus()
{
    const QMediaPlayer::MediaStatus status = m_player->mediaStatus();
    if (status == QMediaPlayer::InvalidMedia) {
        reportUnplayable(MediaErrorText(m_player->error()));
        releaseLater(Undefined);
    } else if (status == QMediaPlayer::EndOfMedia) {
        releaseLater(MediaEnded);
    } else if (m_letGo.start() > 0 && m_player->isSeekable()
        && (status == QMediaPlayer::LoadedMedia || status == QMediaPlayer::BufferedMedia)) {
        // The engine moves only within an item it has opened and can seek in.
        m_player->setPosition(m_letGo.takeStart());
    }
}

// The engine closes the item's file; what it told of the item is kept and
// told instead, so the windows and the desktop controls see no change.
void MediaPlayer::release(PlayState state)
{
    if (m_letGo.letGoOf() || !m_player || m_url.isEmpty() || showingPicture())
        return;
    m_letGo.letGo({ state, m_player->position(), duration(), m_player->isSeekable(), tags() });
    m_player->setSource(QUrl());
    updateTransport();
}

// Asked for from the engine's own signals: the release waits until the
// engine has finished telling, and is dropped when the item was opened
// again or played again after its end in the meantime. An end is told once
// the item is let go of, so what follows it opens a file afresh.
void MediaPlayer::releaseLater(PlayState state)
{
    QMetaObject::invokeMethod(
        this,
        [this, state, opening = m_opening] {
            const bool ended = m_player->mediaStatus() == QMediaPlayer::EndOfMedia;
            if (opening != m_opening || (state == MediaEnded && !ended))
                return;
            release(state);
            if (state == MediaEnded)
                emit this->ended();
        },
        Qt::QueuedConnection);
}

// Opens a released item again, from its beginning or from where it was
// moved to meanwhile.
void MediaPlayer::reopen()
{
    m_letGo.reopen();
    ++m_opening;
    engine().setSource(QUrl::fromLocalFile(m_url));
}

qint64 MediaPlayer::position() const
{
    return m_letGo.position(m_player ? m_player->position() : 0);
}

qint64 MediaPlayer::duration() const
{
    return m_letGo.duration(m_player ? m_player->duration() : 0);
}

bool MediaPlayer::isSeekable() const
{
    return m_letGo.seekable(m_player && m_player->isSeekable());
}

SongTags MediaPlayer::tags() const
{
    return m_letGo.tags(m_player ? SongTagsFrom(m_player->metaData()) : SongTags {});
}

void MediaPlayer::setPosition(qint64 milliseconds)
{
    if (m_letGo.moveTo(milliseconds)) {
        updateTransport();
        return;
    }
    if (m_player)
        m_player->setPosition(milliseconds);
}

// Pictures are not for the media engine: they are decoded once here and
// shown scaled in the video area. A picture that does not decode says why.
void MediaPlayer::showPicture()
{
    if (m_url.isEmpty() || KindOfFile(m_url) != FileKind::Picture) {
        m_pictureView->unload();
        showVideoArea();
        return;
    }
    QString reason;
    if (!m_pictureView->load(m_url, &reason))
        reportUnplayable(reason);
    m_screen->setCurrentWidget(m_pictureView);
}

void MediaPlayer::showVideoArea()
{
    if (m_screen->currentWidget() != m_pictureView || !showingPicture())
        m_screen->setCurrentWidget(m_video ? static_cast<QWidget*>(m_video) : m_blank);
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

MediaPlayer::PlayState MediaPlayer::playState() const
{
    if (showingPicture())
        return Ready;
    if (m_letGo.letGoOf())
        return PlayState(m_letGo.state(Undefined));
    return m_player ? engineState() : Undefined;
}

MediaPlayer::PlayState MediaPlayer::engineState() const
{
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
    if (m_player) {
        m_player->stop();
        m_player->setSource(QUrl());
    }
    m_url.clear();
    m_letGo.forget();
    ++m_opening;
    showPicture();
    updateTransport();
}

void MediaPlayer::updateTransport()
{
    m_bar->showPlaying(m_player && m_player->playbackState() == QMediaPlayer::PlayingState);
    m_bar->showPosition(position(), duration(),
        controls.currentPositionString() + QStringLiteral(" / ") + currentMedia.durationString());
}

void MediaPlayer::applyVolume()
{
    if (m_audio) {
        m_audio->setVolume(float(m_volume) / 100.0f);
        m_audio->setMuted(m_mute);
    }
    m_bar->showVolume(m_volume, m_mute);
    emit changed();
}

void MediaPlayer::applyPlayOrder()
{
    m_bar->showPlayOrder(m_loop, m_shuffle);
    emit playOrderChanged();
    emit changed();
}
