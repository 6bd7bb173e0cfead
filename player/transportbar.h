#pragma once

#include "playorder.h"

#include <QWidget>

class QLabel;
class QSlider;
class QToolButton;
class SeekSlider;

// The embedded player's own control bar: play/pause, stop, the position
// slider with the times, mute, volume, loop and shuffle. It shows what the
// player tells it and passes the operator's requests on by its signals; it
// holds no state of its own.
class TransportBar : public QWidget {
    Q_OBJECT
public:
    explicit TransportBar(QWidget* parent = nullptr);

    void showPlaying(bool playing);
    // The slider (unless the operator holds it) and the times text.
    void showPosition(qint64 position, qint64 duration, const QString& times);
    void showVolume(int volume, bool mute);
    void showPlayOrder(LoopStatus loop, bool shuffle);

    SeekSlider& positionSlider() { return *m_position; }
    QToolButton& muteButton() { return *m_mute; }
    QToolButton& loopButton() { return *m_loop; }
    QToolButton& shuffleButton() { return *m_shuffle; }

signals:
    void playPauseClicked();
    void stopClicked();
    void muteToggled(bool on);
    void volumeMoved(int volume);
    void seekRequested(int milliseconds);
    void loopClicked();
    void shuffleToggled(bool on);

private:
    void connectControls();

    QToolButton* m_playPause = nullptr;
    QToolButton* m_stop = nullptr;
    SeekSlider* m_position = nullptr;
    QLabel* m_times = nullptr;
    QToolButton* m_mute = nullptr;
    QSlider* m_volume = nullptr;
    QToolButton* m_loop = nullptr;
    QToolButton* m_shuffle = nullptr;
    bool m_playingIcon = false; // the play/pause button shows the pause icon
    bool m_mutedIcon = false; // the mute button shows the muted icon
};
