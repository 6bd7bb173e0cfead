// How a display instance's properties are kept in the host's property bag:
// the keys, their stored kinds and defaults, and the orders of writing and
// reading. The lifecycle calls themselves are members of SegmentDisplay.
#pragma once

#include "displayproperties.h"
#include "propertybag.h"

#include <array>
#include <string_view>

// Writes the properties other than Picture from position `from` up to
// (without) `to` of the interface order, defaults omitted. Picture's place is
// 19, between NumDigitsExp and PictureMode; there are 40 others.
void writeDisplayFields(PropertyBag& bag, const DisplayProperties& p, int from = 0, int to = 40);
// Reads every property but Picture, in loading order, straight into the
// fields; an absent or unreadable entry takes its default.
void readDisplayFields(const PropertyBag& bag, DisplayProperties& p);
// Hexagonal and trapezoidal segments need even sizes: an odd SegmentWidth or
// SegmentHeight (negative ones too) is raised by one. The exponent's sizes
// are left alone.
void evenSegmentSizes(DisplayProperties& p);

// The stored picture, or no picture at all when none is stored.
PicturePtr readDisplayPicture(const PropertyBag& bag);
