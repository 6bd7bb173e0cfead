// A round status lamp: a circle filled with its fill colour, red when lit and
// white when dark. Assistive technology sees an indicator named after the
// caption beneath it, with its state (checked while lit) and "亮"/"灭" as value.
#pragma once

#include <QColor>
#include <QWidget>

class Lamp : public QWidget {
    Q_OBJECT
public:
    static inline const QColor kLit = QColor(255, 0, 0);
    static inline const QColor kDark = QColor(255, 255, 255);

    Lamp(const QString& name, const QString& caption, QWidget* parent = nullptr);

    QColor FillColor() const { return m_fill; }
    void setFillColor(const QColor& colour);
    bool isLit() const { return m_fill == kLit; }
    const QString& caption() const { return m_caption; }

    QSize sizeHint() const override { return { 40, 40 }; }

signals:
    // Pressed and released with the left button over the lamp.
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString m_caption;
    QColor m_fill = kDark;
};

// Registers the lamp's accessibility interface once per process.
void installLampAccessible();
