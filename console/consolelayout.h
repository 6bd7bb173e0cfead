// The console window's stored layout: the designed properties and sizes of its
// display Mo and its chart ucHistogram1, compiled into the program.
#pragma once

#include "layoutfile.h"

class UserControl;

namespace consolelayout {

inline const QString kResource = QStringLiteral(":/console/frmmain.json");

// The stored layout; an unreadable one leaves every control at its defaults.
LayoutFile load();

// Brings a stored instance to life: properties first, then the stored size.
void restore(UserControl& control, const PropertyBag& bag);

} // namespace consolelayout
