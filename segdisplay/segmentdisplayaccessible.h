// What assistive technology sees of a SegmentDisplay: a read-only text
// whose value is the Value text being shown, named as the host names it.
#pragma once

#include <QAccessibleWidget>

class SegmentDisplay;

class SegmentDisplayAccessible : public QAccessibleWidget {
public:
    static constexpr const char* kClassName = "SegmentDisplay";

    explicit SegmentDisplayAccessible(QWidget* widget);

    QString text(QAccessible::Text t) const override;
};

// Registers the interface factory once per process.
void installSegmentDisplayAccessible();
