#pragma once

#include "playorder.h"

#include <QObject>
#include <QString>

class FileListBox;
class MediaPlayer;

// What happens when a song ends, as the player's loop mode and shuffle say:
// nothing (None), the same file again (Track), or the next file of the file
// list as the next-song key would choose it, from the last back to the
// first, or at random among the folder's files not yet played in this round
// (Playlist). Only media files are chosen: a picture never ends. With
// Playlist a file that cannot be played is passed over too, until a whole
// list's worth of files in a row failed. The two settings are read from the
// settings file at start and stored there whenever they change.
class PlayOn : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kSection = "PLAYER";
    static constexpr const char* kLoopKey = "LOOP";
    static constexpr const char* kShuffleKey = "SHUFFLE";

    PlayOn(MediaPlayer& player, FileListBox& files, const QString& settingsPath, QObject* parent = nullptr);

    // Picks the random numbers of shuffle (tests give their own).
    void setRandom(ShuffleRound::Random random) { m_random = std::move(random); }
    const ShuffleRound& round() const { return m_round; }

signals:
    // A change could not be stored: the reason, for the status line.
    void notStored(const QString& reason);
    // A change was stored.
    void stored();

private:
    void load();
    void store();
    void onEnded();
    void onUnplayable();
    void playNext();
    void onFileChosen();

    MediaPlayer& m_player;
    FileListBox& m_files;
    QString m_settingsPath;
    ShuffleRound m_round;
    ShuffleRound::Random m_random;
    int m_failures = 0; // files in a row that could not be played
    bool m_choosing = false; // the file list's click is ours
};
