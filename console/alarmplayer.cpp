#include "alarmplayer.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

AlarmPlayer::AlarmPlayer(const QString& path, QObject* parent)
    : QObject(parent)
    , m_path(path)
{
    if (m_path.isEmpty() || !QFileInfo(m_path).isFile())
        return;
    m_effect = std::make_unique<QSoundEffect>();
    m_effect->setSource(QUrl::fromLocalFile(m_path));
}

AlarmPlayer::~AlarmPlayer() = default;

void AlarmPlayer::play()
{
    if (!m_effect)
        return;
    m_effect->stop();
    m_effect->play();
    m_sounding = true;
    ++m_starts;
}

void AlarmPlayer::stop()
{
    if (m_effect)
        m_effect->stop();
    m_sounding = false;
}
