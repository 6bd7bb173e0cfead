#include "usercontrol.h"

#include "layoutfile.h"

void UserControl::restore(const PropertyBag& bag)
{
    restoreControl(*this, bag);
}

PropertyBag UserControl::store() const
{
    return storeControl(*this);
}
