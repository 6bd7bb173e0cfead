#include "seekslider.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionSlider>

#include <algorithm>
#include <array>

namespace {

struct KeyStep {
    int key;
    int milliseconds;
};

constexpr std::array kKeySteps {
    KeyStep { Qt::Key_Right, SeekSlider::kStepMs },
    KeyStep { Qt::Key_Up, SeekSlider::kStepMs },
    KeyStep { Qt::Key_Left, -SeekSlider::kStepMs },
    KeyStep { Qt::Key_Down, -SeekSlider::kStepMs },
    KeyStep { Qt::Key_PageUp, SeekSlider::kPageMs },
    KeyStep { Qt::Key_PageDown, -SeekSlider::kPageMs },
};

} // namespace

SeekSlider::SeekSlider(QWidget* parent)
    : QSlider(Qt::Horizontal, parent)
{
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QSlider::sliderMoved, this, &SeekSlider::seekRequested);
}

// A press on the groove moves the handle under the pointer and seeks there;
// the press then goes on as a drag of the handle.
void SeekSlider::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || maximum() <= minimum()) {
        QSlider::mousePressEvent(event);
        return;
    }
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect groove = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const QRect handle = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    if (!handle.contains(event->position().toPoint())) {
        const int span = qMax(1, groove.width() - handle.width());
        const int x = qRound(event->position().x()) - groove.x() - handle.width() / 2;
        seekTo(QStyle::sliderValueFromPosition(minimum(), maximum(), x, span, option.upsideDown));
    }
    QSlider::mousePressEvent(event);
}

void SeekSlider::keyPressEvent(QKeyEvent* event)
{
    for (const KeyStep& step : kKeySteps) {
        if (event->key() == step.key) {
            seekTo(qint64(value()) + step.milliseconds);
            event->accept();
            return;
        }
    }
    QSlider::keyPressEvent(event);
}

void SeekSlider::seekTo(qint64 milliseconds)
{
    const int target = int(std::clamp<qint64>(milliseconds, minimum(), maximum()));
    setValue(target);
    emit seekRequested(target);
}
