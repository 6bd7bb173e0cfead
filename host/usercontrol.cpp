#include "usercontrol.h"

#include "layoutfile.h"

void UserControl::restore(const PropertyBag& bag)
{
    ReadProperties(bag);
    if (const auto size = extent::sizeOf(bag))
        resize(*size);
}

PropertyBag UserControl::store() const
{
    PropertyBag bag;
    WriteProperties(bag);
    extent::store(bag, size());
    return bag;
}
