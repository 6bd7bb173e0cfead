#pragma once

#include <QImage>
#include <QUrl>
#include <QWidget>

#include <memory>

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
    void buildControls();
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
};
