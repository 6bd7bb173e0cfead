#include "consolelayout.h"

#include "segmentdisplay.h"
#include "uchistogram.h"

// Resources of a static library must be registered by name from the global scope.
static void registerConsoleResources() { Q_INIT_RESOURCE(console); }

namespace consolelayout {

LayoutFile load()
{
    registerConsoleResources();
    LayoutFile layout;
    layout.load(kResource);
    return layout;
}

void restoreDisplay(SegmentDisplay& display, const PropertyBag& bag) { restoreControl(display, bag); }

void restoreChart(ucHistogram& chart, const PropertyBag& bag) { chart.restore(bag); }

} // namespace consolelayout
