#include "playon.h"

#include "inifile.h"
#include "listboxes.h"
#include "mediafiles.h"
#include "mediaplayer.h"

#include <QRandomGenerator>

#include <utility>

PlayOn::PlayOn(MediaPlayer& player, FileListBox& files, const QString& settingsPath, QObject* parent)
    : QObject(parent)
    , m_player(player)
    , m_files(files)
    , m_settingsPath(settingsPath)
    , m_random([](int bound) { return int(QRandomGenerator::global()->bounded(bound)); })
{
    load();
    connect(&m_player, &MediaPlayer::playOrderChanged, this, &PlayOn::store);
    connect(&m_player, &MediaPlayer::ended, this, &PlayOn::onEnded);
    connect(&m_player, &MediaPlayer::unplayable, this, &PlayOn::onUnplayable);
    connect(&m_files, &FileListBox::Click, this, &PlayOn::onFileChosen);
}

// A stored value that is not one of the names leaves the default.
void PlayOn::load()
{
    const QString loop = GetFromINI(QLatin1String(kSection), QLatin1String(kLoopKey), m_settingsPath);
    const QString shuffle = GetFromINI(QLatin1String(kSection), QLatin1String(kShuffleKey), m_settingsPath);
    const QSignalBlocker quiet(&m_player); // what is read is not written back
    m_player.settings.setLoop(LoopStatusFromText(loop).value_or(LoopStatus::None));
    m_player.settings.setShuffle(ShuffleFromText(shuffle));
}

void PlayOn::store()
{
    const QString section = QLatin1String(kSection);
    QString why;
    if (!WritePrivateProfileString(
            section, QLatin1String(kLoopKey), LoopStatusText(m_player.settings.loop()), m_settingsPath, &why)
        || !WritePrivateProfileString(section, QLatin1String(kShuffleKey),
            ShuffleText(m_player.settings.shuffle()), m_settingsPath, &why))
        emit notStored(QStringLiteral("无法保存播放方式：") + why);
    else
        emit stored();
}

void PlayOn::onEnded()
{
    m_failures = 0;
    switch (m_player.settings.loop()) {
    case LoopStatus::None:
        return;
    case LoopStatus::Track:
        m_player.setURL(m_player.URL());
        m_player.controls.play();
        return;
    case LoopStatus::Playlist:
        playNext();
        return;
    }
}

void PlayOn::onUnplayable()
{
    if (m_player.settings.loop() != LoopStatus::Playlist || ++m_failures > m_files.ListCount())
        return;
    playNext();
}

void PlayOn::playNext()
{
    const QStringList& names = m_files.names();
    std::vector<bool> playable;
    for (const QString& name : names)
        playable.push_back(KindOfFile(name) == FileKind::Media);
    const std::optional<int> next = m_player.settings.shuffle()
        ? m_round.pick(m_files.Path(), names, playable, m_files.FileName(), m_random)
        : NextInPlaylist(playable, m_files.ListIndex());
    if (!next)
        return;
    m_choosing = true;
    m_files.setListIndex(*next);
    m_files.click();
    m_choosing = false;
}

// Every file that starts counts as played in this round; one the operator
// chooses also starts a fresh count of failures.
void PlayOn::onFileChosen()
{
    m_round.played(m_files.Path(), m_files.FileName());
    if (!m_choosing)
        m_failures = 0;
}
