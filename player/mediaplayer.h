#pragma once

#include "letgoitem.h"
#include "playorder.h"
#include "songtags.h"

#include <QUrl>
#include <QWidget>

#include <memory>
#include <optional>

class PictureView;
class QAudioOutput;
class QMediaPlayer;
class QStackedWidget;
class QToolButton;
class QVideoWidget;
class SeekSlider;
class TransportBar;

// The embedded media player wmp1: one item at a time over Qt Multimedia,
// with its own video area (pictures are shown there scaled) and transport
// controls. Setting URL opens an item without starting it; it plays once,
// or again and on as the loop mode says (the window decides what follows).
// An item that is stopped, has ended or cannot be played is let go of (the
// engine closes its file, so its disk can be ejected) while the player
// still tells what it knew of it; playing it again opens it again.
// The media engine and its video output are set up when first needed, or
// once the window has been drawn, so the window shows without waiting.
class MediaPlayer : public QWidget {
    Q_OBJECT
public:
    // playState codes.
    enum PlayState : int { Undefined = 0, Stopped = 1, Paused = 2, Playing = 3, MediaEnded = 8, Ready = 10 };

    class Controls {
    public:
        explicit Controls(MediaPlayer& p)
            : m_p(p)
        {
        }
        // Starts the current item, or resumes it when paused.
        void play();
        void pause();
        void stop();
        QString currentPositionString() const;

    private:
        MediaPlayer& m_p;
    };

    class Settings {
    public:
        explicit Settings(MediaPlayer& p)
            : m_p(p)
        {
        }
        int volume() const;
        // Requests outside 0..100 are clamped into it.
        void setVolume(int volume);
        bool mute() const;
        void setMute(bool mute);
        LoopStatus loop() const;
        void setLoop(LoopStatus loop);
        bool shuffle() const;
        void setShuffle(bool on);

    private:
        MediaPlayer& m_p;
    };

    class CurrentMedia {
    public:
        explicit CurrentMedia(MediaPlayer& p)
            : m_p(p)
        {
        }
        QString durationString() const;

    private:
        MediaPlayer& m_p;
    };

    explicit MediaPlayer(QWidget* parent = nullptr);
    ~MediaPlayer() override;

    QString URL() const { return m_url; }
    // Opens the file as the current item, replacing the previous one; the
    // same file again is rewound.
    void setURL(const QString& url);
    PlayState playState() const;
    // Stops playback and releases the current item. This hides QWidget::close
    // on purpose: the player's close is about its item, not its widget.
    void close();

    bool showingPicture() const;
    // The current item as the player tells it, also once it is let go of.
    qint64 position() const;
    qint64 duration() const;
    bool isSeekable() const;
    SongTags tags() const;
    QString title() const { return tags().title; }
    // Moves within the current item; one let go of starts there when played.
    void setPosition(qint64 milliseconds);

    void setUpEngine();
    bool engineIsUp() const { return m_player != nullptr; }
    // The engine, set up first if it is not yet.
    QMediaPlayer& engine();
    PictureView& pictureView() { return *m_pictureView; }
    TransportBar& transportBar() { return *m_bar; }
    SeekSlider& positionSlider();
    QToolButton& muteButton();

    Controls controls { *this };
    Settings settings { *this };
    CurrentMedia currentMedia { *this };

signals:
    // The current item cannot be played or shown: the line for the song
    // information area, once per item, after the item was opened.
    void unplayable(const QString& line);
    // Something the desktop controls tell may have changed: the play state,
    // the item, its length, seekability or tags, volume, mute, loop, shuffle.
    void changed();
    // The loop mode or shuffle changed (by the button or by a request).
    void playOrderChanged();
    // The current item played to its end; told after it was let go of.
    void ended();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void buildControls();
    void connectEngine();
    void open(const QString& url);
    void rewind();
    PlayState engineState() const;
    void onMediaStatus();
    void release(PlayState state);
    void releaseLater(PlayState state);
    void reopen();
    void showPicture();
    void showVideoArea();
    void updateTransport();
    void applyVolume();
    void applyPlayOrder();
    void reportUnplayable(const QString& reason);
    void playItem();
    void pauseItem();
    void stopItem();
    void setSound(int volume, bool mute);
    void setPlayOrder(LoopStatus loop, bool shuffle);

    std::unique_ptr<QMediaPlayer> m_player;
    std::unique_ptr<QAudioOutput> m_audio;
    QStackedWidget* m_screen = nullptr;
    QWidget* m_blank = nullptr; // the video area until the engine is set up
    QVideoWidget* m_video = nullptr;
    PictureView* m_pictureView = nullptr;
    TransportBar* m_bar = nullptr;
    QString m_url;
    bool m_reported = false; // the current item's failure has been told
    int m_volume = 50;
    bool m_mute = false;
    LoopStatus m_loop = LoopStatus::None;
    bool m_shuffle = false;
    bool m_stoppedByRequest = false;
    bool m_drawn = false; // the player has been painted once
    LetGoItem m_letGo;
    int m_opening = 0; // counts the engine's openings of items
};
