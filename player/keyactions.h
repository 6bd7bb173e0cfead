#pragma once

class DriveListBox;
class DirListBox;
class FileListBox;
class MediaPlayer;

// The twelve actions of the remote on the lists and the player. Actions
// that change the drive or the file go through the lists' own change and
// click events, so the window's drive-change and file-selection steps run
// to completion inside the action.
class KeyActions {
public:
    struct Targets {
        DriveListBox& drive1;
        DirListBox& dir1;
        FileListBox& file1;
        MediaPlayer& wmp1;
    };

    using Action = void (KeyActions::*)();

    explicit KeyActions(Targets targets)
        : m_targets(targets)
    {
    }

    // Runs the action of key function n (1..12); other numbers do nothing.
    void run(int n);

    void DrivePrevious();
    void DriveNext();
    void FolderPrevious();
    void FolderNext();
    void SongPrevious();
    void SongNext();
    void VolumeUp();
    void VolumeDown();
    void FolderEnter();
    void FolderExit();
    void PlayPause();
    void MuteToggle();

private:
    Targets m_targets;
};
