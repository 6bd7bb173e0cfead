#pragma once

#include <QSlider>

// The position slider: a click anywhere on the groove seeks there, and with
// the slider focused the arrow keys seek 5 seconds, Page Up and Page Down 30.
// Values are milliseconds; every seek the operator asks for is announced
// with seekRequested, and dragging the handle seeks as it moves.
class SeekSlider : public QSlider {
    Q_OBJECT
public:
    static constexpr int kStepMs = 5000;
    static constexpr int kPageMs = 30000;

    explicit SeekSlider(QWidget* parent = nullptr);

signals:
    void seekRequested(int milliseconds);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void seekTo(qint64 milliseconds);
};
