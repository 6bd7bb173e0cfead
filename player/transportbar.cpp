#include "transportbar.h"

#include "namedwidgets.h"
#include "seekslider.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QToolButton>

namespace {

// A transport control: named, and explained by its caption on hover.
template <typename W> W* transport(W* widget, const char* name, const QString& caption)
{
    named::control(widget, QLatin1String(name), caption)->setToolTip(caption);
    return widget;
}

QToolButton* iconButton(
    QWidget* parent, const char* name, const QString& caption, QStyle::StandardPixmap icon)
{
    auto* b = transport(new QToolButton(parent), name, caption);
    b->setIcon(parent->style()->standardIcon(icon));
    return b;
}

// A button that shows its mode in its text and tells it to a screen reader
// in its description; checked while the mode is on.
QToolButton* modeButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* b = named::control(new QToolButton(parent), QLatin1String(name), caption);
    b->setCheckable(true);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return b;
}

void showMode(QToolButton& button, const QString& state, bool on)
{
    const QSignalBlocker quiet(&button);
    button.setChecked(on);
    button.setText(state);
    button.setToolTip(state);
    button.setAccessibleDescription(state);
}

} // namespace

TransportBar::TransportBar(QWidget* parent)
    : QWidget(parent)
{
    m_playPause = iconButton(this, "wmp1PlayPause", QStringLiteral("播放/暂停"), QStyle::SP_MediaPlay);
    m_stop = iconButton(this, "wmp1Stop", QStringLiteral("停止"), QStyle::SP_MediaStop);
    m_position = transport(new SeekSlider(this), "wmp1Position", QStringLiteral("播放位置"));
    m_times = named::control(new QLabel(this), QStringLiteral("wmp1Times"), QStringLiteral("播放时间"));
    m_mute = iconButton(this, "wmp1Mute", QStringLiteral("静音"), QStyle::SP_MediaVolume);
    m_mute->setCheckable(true);
    m_volume = transport(new QSlider(Qt::Horizontal, this), "wmp1Volume", QStringLiteral("音量"));
    m_volume->setRange(0, 100);
    m_volume->setMaximumWidth(120);
    m_loop = modeButton(this, "wmp1Loop", QStringLiteral("循环"));
    m_shuffle = modeButton(this, "wmp1Shuffle", QStringLiteral("随机"));

    auto* bar = new QHBoxLayout(this);
    bar->setContentsMargins(0, 0, 0, 0);
    bar->addWidget(m_playPause);
    bar->addWidget(m_stop);
    bar->addWidget(m_position, 1);
    for (QWidget* w : std::initializer_list<QWidget*> { m_times, m_loop, m_shuffle, m_mute, m_volume })
        bar->addWidget(w);
    connectControls();
    showPlayOrder(LoopStatus::None, false);
}

void TransportBar::connectControls()
{
    connect(m_playPause, &QToolButton::clicked, this, &TransportBar::playPauseClicked);
    connect(m_stop, &QToolButton::clicked, this, &TransportBar::stopClicked);
    connect(m_mute, &QToolButton::toggled, this, &TransportBar::muteToggled);
    connect(m_volume, &QSlider::valueChanged, this, &TransportBar::volumeMoved);
    connect(m_position, &SeekSlider::seekRequested, this, &TransportBar::seekRequested);
    // Toggled, not clicked: a screen reader's toggle action toggles without a
    // click, and the button shows the mode again with its signals blocked.
    connect(m_loop, &QToolButton::toggled, this, &TransportBar::loopClicked);
    connect(m_shuffle, &QToolButton::toggled, this, &TransportBar::shuffleToggled);
}

// Icons are costly to make: only a change of state changes an icon.
void TransportBar::showPlaying(bool playing)
{
    if (m_playingIcon == playing && !m_playPause->icon().isNull())
        return;
    m_playingIcon = playing;
    m_playPause->setIcon(style()->standardIcon(playing ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
}

void TransportBar::showPosition(qint64 position, qint64 duration, const QString& times)
{
    if (!m_position->isSliderDown()) {
        const QSignalBlocker quiet(m_position);
        m_position->setRange(0, int(qMin<qint64>(duration, INT_MAX)));
        m_position->setValue(int(qMin<qint64>(position, INT_MAX)));
    }
    m_times->setText(times);
}

// The controls follow the state however it changed: by the remote, by the
// desktop controls or by the controls themselves.
void TransportBar::showVolume(int volume, bool mute)
{
    const QSignalBlocker quietVolume(m_volume);
    m_volume->setValue(volume);
    const QSignalBlocker quietMute(m_mute);
    m_mute->setChecked(mute);
    if (m_mutedIcon != mute) {
        m_mutedIcon = mute;
        m_mute->setIcon(style()->standardIcon(mute ? QStyle::SP_MediaVolumeMuted : QStyle::SP_MediaVolume));
    }
}

void TransportBar::showPlayOrder(LoopStatus loop, bool shuffle)
{
    showMode(*m_loop, LoopStatusCaption(loop), loop != LoopStatus::None);
    showMode(*m_shuffle, ShuffleCaption(shuffle), shuffle);
}
