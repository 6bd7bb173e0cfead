// How a display instance's properties are kept in the host's property bag:
// the orders of writing and reading over the property table, and the fix-ups
// a loaded instance gets. The lifecycle calls themselves are members of
// SegmentDisplay.
#pragma once

#include "displayproperties.h"
#include "propertybag.h"

// Writes the properties in interface order, defaults omitted; Picture (whose
// place is between NumDigitsExp and PictureMode) only when asked for.
void writeDisplayFields(PropertyBag& bag, const DisplayProperties& p, bool withPicture = false);
// Reads the properties in loading order straight into the fields; an absent
// or unreadable entry takes its default. Picture, read first, only when asked
// for: none stored is no picture at all.
void readDisplayFields(const PropertyBag& bag, DisplayProperties& p, bool withPicture = false);
// Hexagonal and trapezoidal segments need even sizes: an odd SegmentWidth or
// SegmentHeight (negative ones too) is raised by one. The exponent's sizes
// are left alone.
void evenSegmentSizes(DisplayProperties& p);

// The stored picture, or no picture at all when none is stored.
PicturePtr readDisplayPicture(const PropertyBag& bag);
