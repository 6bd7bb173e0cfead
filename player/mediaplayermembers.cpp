// The members of the embedded player that the window uses by name:
// controls, settings and currentMedia.
#include "mediaplayer.h"

#include "infotext.h"

#include <QMediaPlayer>

#include <utility>

void MediaPlayer::Controls::play()
{
    m_p.playItem();
}

void MediaPlayer::Controls::pause()
{
    m_p.pauseItem();
}

void MediaPlayer::Controls::stop()
{
    m_p.stopItem();
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
    m_p.setSound(qBound(0, volume, 100), m_p.m_mute);
}

bool MediaPlayer::Settings::mute() const
{
    return m_p.m_mute;
}

void MediaPlayer::Settings::setMute(bool mute)
{
    m_p.setSound(m_p.m_volume, mute);
}

LoopStatus MediaPlayer::Settings::loop() const
{
    return m_p.m_loop;
}

void MediaPlayer::Settings::setLoop(LoopStatus loop)
{
    m_p.setPlayOrder(loop, m_p.m_shuffle);
}

bool MediaPlayer::Settings::shuffle() const
{
    return m_p.m_shuffle;
}

void MediaPlayer::Settings::setShuffle(bool on)
{
    m_p.setPlayOrder(m_p.m_loop, on);
}

QString MediaPlayer::CurrentMedia::durationString() const
{
    return TimeText(m_p.duration());
}

// What the nested members ask of the player.
void MediaPlayer::playItem()
{
    m_stoppedByRequest = false;
    if (showingPicture() || m_url.isEmpty())
        return;
    if (m_letGo.letGoOf())
        reopen();
    engine().play();
}

void MediaPlayer::pauseItem()
{
    if (m_player && m_player->playbackState() == QMediaPlayer::PlayingState)
        m_player->pause();
}

void MediaPlayer::stopItem()
{
    m_stoppedByRequest = true;
    if (m_player)
        m_player->stop();
    release(playState());
}

void MediaPlayer::setSound(int volume, bool mute)
{
    m_volume = volume;
    m_mute = mute;
    applyVolume();
}

void MediaPlayer::setPlayOrder(LoopStatus loop, bool shuffle)
{
    if (loop == m_loop && shuffle == m_shuffle)
        return;
    m_loop = loop;
    m_shuffle = shuffle;
    applyPlayOrder();
}
