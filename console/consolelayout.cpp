#include "consolelayout.h"

#include "usercontrol.h"

// Resources of a static library must be registered by name from the global scope.
static void registerConsoleResources()
{
    Q_INIT_RESOURCE(console);
}

namespace consolelayout {

LayoutFile load()
{
    registerConsoleResources();
    LayoutFile layout;
    layout.load(kResource);
    return layout;
}

void restore(UserControl& control, const PropertyBag& bag)
{
    control.restore(bag);
}

} // namespace consolelayout
