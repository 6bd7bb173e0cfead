#include "lamp.h"

#include "accessiblefactory.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPainter>

namespace {

class LampAccessible : public QAccessibleWidget {
public:
    static constexpr const char* kClassName = "Lamp";

    explicit LampAccessible(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::Indicator)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        const auto* lamp = static_cast<const Lamp*>(widget());
        switch (t) {
        case QAccessible::Name:
            return lamp->caption();
        case QAccessible::Value:
            return lamp->isLit() ? QStringLiteral("亮") : QStringLiteral("灭");
        default:
            return QAccessibleWidget::text(t);
        }
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = static_cast<const Lamp*>(widget())->isLit();
        return s;
    }
};

} // namespace

void installLampAccessible()
{
    accessible::install<LampAccessible>();
}

Lamp::Lamp(const QString& name, const QString& caption, QWidget* parent)
    : QWidget(parent)
    , m_caption(caption)
{
    installLampAccessible();
    setObjectName(name);
    setAccessibleName(caption);
    setMinimumSize(sizeHint());
}

void Lamp::setFillColor(const QColor& colour)
{
    if (colour == m_fill)
        return;
    const bool wasLit = isLit();
    m_fill = colour;
    update();
    if (wasLit != isLit()) {
        QAccessible::State changed;
        changed.checked = true;
        QAccessibleStateChangeEvent event(this, changed);
        QAccessible::updateAccessibility(&event);
    }
}

void Lamp::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(m_fill);
    const int side = std::min(width(), height()) - 2;
    painter.drawEllipse(QRect((width() - side) / 2, (height() - side) / 2, side, side));
}

void Lamp::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QWidget::mouseReleaseEvent(event);
}
