#include "displaybag.h"

#include "segmentdisplay.h"

#include <algorithm>
#include <limits>
#include <variant>

namespace {

using D = DisplayProperties;
using Field = std::variant<float D::*, OleColour D::*, bool D::*, int16_t D::*, int32_t D::*, QString D::*>;

constexpr int kStoredFields = 40;
constexpr int kPictureSlot = 19; // Picture is written between NumDigitsExp and PictureMode

struct StoredField {
    std::string_view key;
    Field field;
};

// Interface order, which is also the order of writing (Picture, written
// between NumDigitsExp and PictureMode, is handled on its own).
constexpr std::array<StoredField, kStoredFields> kWriteOrder { {
    { "BackAngle", &D::BackAngle },
    { "BackColor1", &D::BackColor1 },
    { "BackColor2", &D::BackColor2 },
    { "BackMiddleOut", &D::BackMiddleOut },
    { "BorderColor", &D::BorderColor },
    { "BorderWidth", &D::BorderWidth },
    { "BurnInColor", &D::BurnInColor },
    { "BurnInColorNeg", &D::BurnInColorNeg },
    { "CurveBottomLeft", &D::CurveBottomLeft },
    { "CurveBottomRight", &D::CurveBottomRight },
    { "CurveTopLeft", &D::CurveTopLeft },
    { "CurveTopRight", &D::CurveTopRight },
    { "DecimalSeparator", &D::DecimalSeparator },
    { "InterDigitGap", &D::InterDigitGap },
    { "InterDigitGapExp", &D::InterDigitGapExp },
    { "InterSegmentGap", &D::InterSegmentGap },
    { "InterSegmentGapExp", &D::InterSegmentGapExp },
    { "NumDigits", &D::NumDigits },
    { "NumDigitsExp", &D::NumDigitsExp },
    { "PictureMode", &D::PictureMode },
    { "SegmentFillStyle", &D::SegmentFillStyle },
    { "SegmentHeight", &D::SegmentHeight },
    { "SegmentHeightExp", &D::SegmentHeightExp },
    { "SegmentLitColor", &D::SegmentLitColor },
    { "SegmentLitColorNeg", &D::SegmentLitColorNeg },
    { "SegmentStyle", &D::SegmentStyle },
    { "SegmentStyleExp", &D::SegmentStyleExp },
    { "SegmentWidth", &D::SegmentWidth },
    { "SegmentWidthExp", &D::SegmentWidthExp },
    { "ShowBurnIn", &D::ShowBurnIn },
    { "ShowExponent", &D::ShowExponent },
    { "ShowThousandsSeparator", &D::ShowThousandsSeparator },
    { "Theme", &D::Theme },
    { "ThousandsGrouping", &D::ThousandsGrouping },
    { "ThousandsSeparator", &D::ThousandsSeparator },
    { "Value", &D::Value },
    { "XOffset", &D::XOffset },
    { "XOffsetExp", &D::XOffsetExp },
    { "YOffset", &D::YOffset },
    { "YOffsetExp", &D::YOffsetExp },
} };

// Loading reads the lit colours before the segment heights; otherwise the
// same order. Indices into kWriteOrder.
constexpr std::array<int, kStoredFields> kReadOrder { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15,
    16, 17, 18, 19, 20, 23, 24, 21, 22, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39 };

QString keyOf(std::string_view key)
{
    return QString::fromLatin1(key.data(), qsizetype(key.size()));
}

// The bag's reads and writes for each kind of field.
struct Kinds {
    static float read(const PropertyBag& b, const QString& k, float d) { return b.readFloat(k, d); }
    static OleColour read(const PropertyBag& b, const QString& k, OleColour d) { return b.readColour(k, d); }
    static bool read(const PropertyBag& b, const QString& k, bool d) { return b.readFlag(k, d); }
    static int16_t read(const PropertyBag& b, const QString& k, int16_t d) { return b.readInt16(k, d); }
    static int32_t read(const PropertyBag& b, const QString& k, int32_t d) { return b.readInt32(k, d); }
    static QString read(const PropertyBag& b, const QString& k, const QString& d) { return b.readText(k, d); }
    static void write(PropertyBag& b, const QString& k, float v, float d) { b.writeFloat(k, v, d); }
    static void write(PropertyBag& b, const QString& k, OleColour v, OleColour d) { b.writeColour(k, v, d); }
    static void write(PropertyBag& b, const QString& k, bool v, bool d) { b.writeFlag(k, v, d); }
    static void write(PropertyBag& b, const QString& k, int16_t v, int16_t d) { b.writeInt16(k, v, d); }
    static void write(PropertyBag& b, const QString& k, int32_t v, int32_t d) { b.writeInt32(k, v, d); }
    static void write(PropertyBag& b, const QString& k, const QString& v, const QString& d)
    {
        b.writeText(k, v, d);
    }
};

} // namespace

void writeDisplayFields(PropertyBag& bag, const DisplayProperties& p, int from, int to)
{
    static const DisplayProperties defaults;
    for (int i = std::max(from, 0); i < std::min(to, kStoredFields); ++i) {
        const StoredField& f = kWriteOrder[size_t(i)];
        std::visit(
            [&](auto member) { Kinds::write(bag, keyOf(f.key), p.*member, defaults.*member); }, f.field);
    }
}

void readDisplayFields(const PropertyBag& bag, DisplayProperties& p)
{
    static const DisplayProperties defaults;
    for (int index : kReadOrder) {
        const StoredField& f = kWriteOrder[size_t(index)];
        std::visit(
            [&](auto member) { p.*member = Kinds::read(bag, keyOf(f.key), defaults.*member); }, f.field);
    }
}

void evenSegmentSizes(DisplayProperties& p)
{
    if (p.SegmentStyle != 0 && p.SegmentStyle != 1)
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
    auto image = bag.readPicture(QStringLiteral("Picture"));
    return image ? std::make_shared<QImage>(std::move(*image)) : nullptr;
}

// ---- the host's lifecycle calls

void SegmentDisplay::InitProperties()
{
    m_props = DisplayProperties();
}

void SegmentDisplay::ReadProperties(const PropertyBag& bag)
{
    m_props.Picture = readDisplayPicture(bag);
    readDisplayFields(bag, m_props);
    evenSegmentSizes(m_props);
    RebuildDisplay();
}

void SegmentDisplay::WriteProperties(PropertyBag& bag) const
{
    writeDisplayFields(bag, m_props, 0, kPictureSlot);
    bag.writePicture(QStringLiteral("Picture"), m_props.Picture ? *m_props.Picture : QImage());
    writeDisplayFields(bag, m_props, kPictureSlot, kStoredFields);
}
