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
    const int i = t.drive1.ListIndex();
    if (i > 0)
        t.drive1.setListIndex(i - 1); // raises the drive-change step
}

void KeyActions::DriveNext()
{
    const int i = t.drive1.ListIndex();
    if (i < t.drive1.ListCount() - 1)
        t.drive1.setListIndex(i + 1);
}

void KeyActions::FolderPrevious()
{
    const int i = t.dir1.ListIndex();
    if (i > -1)
        t.dir1.setListIndex(i - 1);
}

void KeyActions::FolderNext()
{
    const int i = t.dir1.ListIndex();
    if (i < t.dir1.ListCount() - 1)
        t.dir1.setListIndex(i + 1);
}

void KeyActions::SongPrevious()
{
    const int i = t.file1.ListIndex();
    if (i > 0) {
        t.file1.setListIndex(i - 1);
        t.file1.click();
    }
}

void KeyActions::SongNext()
{
    const int i = t.file1.ListIndex();
    if (i < t.file1.ListCount() - 1) {
        t.file1.setListIndex(i + 1);
        t.file1.click();
    }
}

void KeyActions::VolumeUp()
{
    t.wmp1.settings.setVolume(t.wmp1.settings.volume() + 3);
}

void KeyActions::VolumeDown()
{
    t.wmp1.settings.setVolume(t.wmp1.settings.volume() - 3);
}

void KeyActions::FolderEnter()
{
    t.dir1.setPath(t.dir1.List(t.dir1.ListIndex()));
}

// Back to the drive: first the root of the first drive, then the selected
// drive's mount path; the file list follows each change.
void KeyActions::FolderExit()
{
    t.dir1.setPath(t.drive1.List(0));
    t.dir1.setPath(t.drive1.Drive());
}

void KeyActions::PlayPause()
{
    const int state = t.wmp1.playState();
    if (state == MediaPlayer::Playing)
        t.wmp1.controls.pause();
    else if (state == MediaPlayer::Paused)
        t.wmp1.controls.play();
}

void KeyActions::MuteToggle()
{
    t.wmp1.settings.setMute(!t.wmp1.settings.mute());
}
