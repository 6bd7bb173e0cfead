// The console window's stored layout: the designed properties and sizes of its
// display Mo and its chart ucHistogram1, compiled into the program.
#pragma once

#include "layoutfile.h"

class SegmentDisplay;
class ucHistogram;

namespace consolelayout {

inline const QString kResource = QStringLiteral(":/console/frmmain.json");

// The stored layout; an unreadable one leaves every control at its defaults.
LayoutFile load();

// Brings the stored instances to life: properties first, then the stored size.
void restoreDisplay(SegmentDisplay& display, const PropertyBag& bag);
void restoreChart(ucHistogram& chart, const PropertyBag& bag);

} // namespace consolelayout
