#include "keyactions.h"

#include "listboxes.h"
#include "mediaplayer.h"

void KeyActions::run(int n)
{
    if (n >= 1 && n <= int(kActions.size()))
        (this->*kActions.at(std::size_t(n - 1)))();
}

void KeyActions::DrivePrevious()
{
    const int i = m_targets.drive1.ListIndex();
    if (i > 0)
        m_targets.drive1.setListIndex(i - 1); // raises the drive-change step
}

void KeyActions::DriveNext()
{
    const int i = m_targets.drive1.ListIndex();
    if (i < m_targets.drive1.ListCount() - 1)
        m_targets.drive1.setListIndex(i + 1);
}

void KeyActions::FolderPrevious()
{
    const int i = m_targets.dir1.ListIndex();
    if (i > -1)
        m_targets.dir1.setListIndex(i - 1);
}

void KeyActions::FolderNext()
{
    const int i = m_targets.dir1.ListIndex();
    if (i < m_targets.dir1.ListCount() - 1)
        m_targets.dir1.setListIndex(i + 1);
}

void KeyActions::SongPrevious()
{
    const int i = m_targets.file1.ListIndex();
    if (i > 0) {
        m_targets.file1.setListIndex(i - 1);
        m_targets.file1.click();
    }
}

void KeyActions::SongNext()
{
    const int i = m_targets.file1.ListIndex();
    if (i < m_targets.file1.ListCount() - 1) {
        m_targets.file1.setListIndex(i + 1);
        m_targets.file1.click();
    }
}

void KeyActions::VolumeUp()
{
    m_targets.wmp1.settings.setVolume(m_targets.wmp1.settings.volume() + 3);
}

void KeyActions::VolumeDown()
{
    m_targets.wmp1.settings.setVolume(m_targets.wmp1.settings.volume() - 3);
}

void KeyActions::FolderEnter()
{
    m_targets.dir1.setPath(m_targets.dir1.List(m_targets.dir1.ListIndex()));
}

// Back to the drive: first the root of the first drive, then the selected
// drive's mount path; the file list follows each change.
void KeyActions::FolderExit()
{
    m_targets.dir1.setPath(m_targets.drive1.List(0));
    m_targets.dir1.setPath(m_targets.drive1.Drive());
}

void KeyActions::PlayPause()
{
    const int state = m_targets.wmp1.playState();
    if (state == MediaPlayer::Playing)
        m_targets.wmp1.controls.pause();
    else if (state == MediaPlayer::Paused)
        m_targets.wmp1.controls.play();
}

void KeyActions::MuteToggle()
{
    m_targets.wmp1.settings.setMute(!m_targets.wmp1.settings.mute());
}
