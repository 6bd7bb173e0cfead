// The members of the embedded player that the window uses by name:
// controls, settings and currentMedia.
#include "mediaplayer.h"

#include "infotext.h"

#include <QMediaPlayer>

#include <utility>

void MediaPlayer::Controls::play()
{
    m_p.m_stoppedByRequest = false;
    if (m_p.showingPicture() || m_p.m_url.isEmpty())
        return;
    if (m_p.letGo())
        m_p.reopen();
    m_p.engine().play();
}

void MediaPlayer::Controls::pause()
{
    if (m_p.m_player && m_p.m_player->playbackState() == QMediaPlayer::PlayingState)
        m_p.m_player->pause();
}

void MediaPlayer::Controls::stop()
{
    m_p.m_stoppedByRequest = true;
    if (m_p.m_player)
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

LoopStatus MediaPlayer::Settings::loop() const
{
    return m_p.m_loop;
}

void MediaPlayer::Settings::setLoop(LoopStatus loop)
{
    if (std::exchange(m_p.m_loop, loop) != loop)
        m_p.applyPlayOrder();
}

bool MediaPlayer::Settings::shuffle() const
{
    return m_p.m_shuffle;
}

void MediaPlayer::Settings::setShuffle(bool on)
{
    if (std::exchange(m_p.m_shuffle, on) != on)
        m_p.applyPlayOrder();
}

QString MediaPlayer::CurrentMedia::durationString() const
{
    return TimeText(m_p.duration());
}
