#pragma once

#include <QImage>
#include <QUrl>
#include <QWidget>

#include <memory>
#include <optional>

class PictureView;
class QAudioOutput;
class QLabel;
class QMediaPlayer;
class QSlider;
class SeekSlider;
class QStackedWidget;
class QToolButton;
class QVideoWidget;

// The embedded media player wmp1: one item at a time over Qt Multimedia,
// with its own video area (pictures are shown there scaled) and transport
// controls. Setting URL opens an item without starting it; it plays once.
// An item that is stopped, has ended or cannot be played is let go of (the
// engine closes its file, so its disk can be ejected) while the player
// still tells what it knew of it; playing it again opens it again.
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
    int playState() const;
    // Stops playback and releases the current item. This hides QWidget::close
    // on purpose: the player's close is about its item, not its widget.
    void close();

    bool showingPicture() const;
    // The current item as the player tells it, also once it is let go of.
    qint64 position() const;
    qint64 duration() const;
    bool isSeekable() const;
    QString title() const;
    // Moves within the current item; one let go of starts there when played.
    void setPosition(qint64 milliseconds);

    QMediaPlayer& engine() { return *m_player; }
    PictureView& pictureView() { return *m_pictureView; }
    SeekSlider& positionSlider() { return *m_position; }
    QToolButton& muteButton() { return *m_muteButton; }

    Controls controls { *this };
    Settings settings { *this };
    CurrentMedia currentMedia { *this };

signals:
    // The current item cannot be played or shown: the line for the song
    // information area, once per item, after the item was opened.
    void unplayable(const QString& line);

private:
    // What was known of an item when the engine let go of its file.
    struct Released {
        int state = Undefined;
        qint64 position = 0;
        qint64 duration = 0;
        bool seekable = false;
        QString title;
        qint64 startAt = 0; // where playing it again begins
    };

    void buildControls();
    void onMediaStatus(int status);
    void release(int state);
    void releaseLater(int state);
    void reopen();
    void showPicture();
    void updateTransport();
    void applyVolume();
    void reportUnplayable(const QString& reason);

    std::unique_ptr<QMediaPlayer> m_player;
    std::unique_ptr<QAudioOutput> m_audio;
    QStackedWidget* m_screen = nullptr;
    QVideoWidget* m_video = nullptr;
    PictureView* m_pictureView = nullptr;
    QToolButton* m_playPause = nullptr;
    QToolButton* m_stop = nullptr;
    QToolButton* m_muteButton = nullptr;
    SeekSlider* m_position = nullptr;
    QSlider* m_volumeSlider = nullptr;
    QLabel* m_times = nullptr;
    QString m_url;
    bool m_reported = false; // the current item's failure has been told
    int m_volume = 50;
    bool m_mute = false;
    bool m_muteIconMuted = false; // the mute button shows the muted icon
    bool m_stoppedByRequest = false;
    std::optional<Released> m_released;
    // Facts of the current item kept from its last release, told while the
    // engine opens it again and does not know them yet.
    Released m_known;
    int m_opening = 0; // counts the engine's openings of items
    qint64 m_startAt = 0; // where a reopened item goes once the engine has it
};
