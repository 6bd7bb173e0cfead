#include "displaybag.h"

#include "propertytable.h"

#include <limits>

namespace {

const DisplayProperties& defaults()
{
    static const DisplayProperties d;
    return d;
}

constexpr int kPictureRow = 19;

// Loading reads Picture first and the lit colours before the segment heights;
// otherwise the interface order. Indices into kDisplayProperties.
constexpr std::array<int, kPropertyCount> kReadOrder { kPictureRow, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12,
    13, 14, 15, 16, 17, 18, 20, 21, 24, 25, 22, 23, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39,
    40 };

} // namespace

void writeDisplayFields(PropertyBag& bag, const DisplayProperties& p, bool withPicture)
{
    for (const PropertyInfo& info : kDisplayProperties)
        if (withPicture || info.kind != PropertyKind::Picture)
            propertyfields::writeField(bag, info, p, defaults());
}

void readDisplayFields(const PropertyBag& bag, DisplayProperties& p, bool withPicture)
{
    for (int index : kReadOrder) {
        const PropertyInfo& info = kDisplayProperties[size_t(index)];
        if (withPicture || info.kind != PropertyKind::Picture)
            propertyfields::readField(bag, info, p, defaults());
    }
}

void evenSegmentSizes(DisplayProperties& p)
{
    if (!segmentsNeedEvenSizes(p.SegmentStyle))
        return;
    // The largest int32 is odd and has no even neighbour above it: kept.
    constexpr int32_t kTop = std::numeric_limits<int32_t>::max();
    if (p.SegmentWidth % 2 != 0 && p.SegmentWidth != kTop)
        ++p.SegmentWidth;
    if (p.SegmentHeight % 2 != 0 && p.SegmentHeight != kTop)
        ++p.SegmentHeight;
}

PicturePtr readDisplayPicture(const PropertyBag& bag)
{
    return propertyfields::read(bag, QStringLiteral("Picture"), PicturePtr());
}
