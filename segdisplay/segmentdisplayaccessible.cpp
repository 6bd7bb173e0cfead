#include "segmentdisplayaccessible.h"

#include "accessiblefactory.h"
#include "segmentdisplay.h"

SegmentDisplayAccessible::SegmentDisplayAccessible(QWidget* widget)
    : QAccessibleWidget(widget, QAccessible::StaticText)
{
}

QString SegmentDisplayAccessible::text(QAccessible::Text t) const
{
    const auto* display = static_cast<const SegmentDisplay*>(widget());
    switch (t) {
    case QAccessible::Value:
        return display->Value();
    case QAccessible::Name:
        // The host's name for the control; without one, the number itself.
        return display->accessibleName().isEmpty() ? display->Value() : display->accessibleName();
    default:
        return QAccessibleWidget::text(t);
    }
}

void installSegmentDisplayAccessible()
{
    accessible::install<SegmentDisplayAccessible>();
}
