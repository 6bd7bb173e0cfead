// Setting display properties from text, as tools and scripts give them:
// colours as decimal or 0x hexadecimal references, flags as True/False or
// -1/0, numbers in decimal, pictures as an image file name.
#pragma once

#include "propertytable.h"

#include <QImage>
#include <QString>
#include <QVariant>

#include <optional>

class SegmentDisplay;

// The value of a property kind read from text, or nothing when the text
// does not read as that kind.
std::optional<QVariant> parsePropertyValue(PropertyKind kind, const QString& text);

// Sets the named property (any letter case) through its setter. Returns
// false with a readable reason when the name or the value is not accepted.
bool setPropertyFromText(SegmentDisplay& display, const QString& name, const QString& text, QString* error);

// The surface with every pixel outside the window shape replaced by
// `outside` (0 for fully transparent), as a 32-bit ARGB image.
QImage surfaceWithinShape(const SegmentDisplay& display, QRgb outside);
