#include "keyactions.h"

#include "keytable.h"
#include "listboxes.h"
#include "mediaplayer.h"

namespace {

// Selects the entry before the current one while the current one lies above
// `floor`; returns whether the selection moved. Setting the index raises the
// list's own change event.
template <typename List> bool selectPrevious(List& list, int floor)
{
    const int i = list.ListIndex();
    if (i <= floor)
        return false;
    list.setListIndex(i - 1);
    return true;
}

// Selects the entry after the current one unless the current one is the last.
template <typename List> bool selectNext(List& list)
{
    const int i = list.ListIndex();
    if (i >= list.ListCount() - 1)
        return false;
    list.setListIndex(i + 1);
    return true;
}

} // namespace

void KeyActions::run(int n)
{
    if (n >= 1 && n <= kKeyFunctionCount)
        (this->*kKeyFunctions.at(std::size_t(n - 1)).action)();
}

void KeyActions::DrivePrevious()
{
    selectPrevious(m_targets.drive1, 0);
}

void KeyActions::DriveNext()
{
    selectNext(m_targets.drive1);
}

// Index -1 is the open folder itself; the folders above it go further down.
void KeyActions::FolderPrevious()
{
    selectPrevious(m_targets.dir1, -1);
}

void KeyActions::FolderNext()
{
    selectNext(m_targets.dir1);
}

void KeyActions::SongPrevious()
{
    if (selectPrevious(m_targets.file1, 0))
        m_targets.file1.click();
}

void KeyActions::SongNext()
{
    if (selectNext(m_targets.file1))
        m_targets.file1.click();
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
