#include "propertytable.h"

#include <cctype>

namespace {

using K = PropertyKind;
using R = SetterRuns;

constexpr PropertyInfo num(std::string_view name, K kind, double def, R runs, std::string_view doc,
    bool noticeLast = false)
{
    return { name, kind, def, {}, runs, noticeLast, doc };
}

} // namespace

const std::array<PropertyInfo, kPropertyCount> kDisplayProperties = { {
    num("BackAngle", K::Float32, 90.0, R::GradientRepaint,
        "The angle, in degrees, of the colors in the control's background gradient."),
    num("BackColor1", K::Colour, 0x000000, R::GradientRepaint, "The first color of the background gradient."),
    num("BackColor2", K::Colour, 0x000000, R::GradientRepaint, "The second color of the background gradient."),
    num("BackMiddleOut", K::Flag, -1, R::GradientRepaint,
        "If True, the background gradient is middle-out (Color1 > Color2 > Color1)."),
    num("BorderColor", K::Colour, 0xFF0000, R::RepaintAll, "The color of the control's border."),
    num("BorderWidth", K::Int16, 1, R::RepaintAll, "The width, in pixels, of the control's border."),
    num("BurnInColor", K::Colour, 0x505000, R::RebuildShow,
        "The color of 'burned-in' segments.  If the .ShowBurnIn property is True, this helps the display look "
        "more like a physical LED/LCD."),
    num("BurnInColorNeg", K::Colour, 0x505000, R::RebuildShow,
        "The color to paint unlit segments in .ShowBurnIn=True display mode if the value being displayed is "
        "negative."),
    num("CurveBottomLeft", K::Int32, 0, R::RepaintAll,
        "The amount of curvature of the bottom left corner of the control."),
    num("CurveBottomRight", K::Int32, 0, R::RepaintAll,
        "The amount of curvature of the bottom right corner of the control."),
    num("CurveTopLeft", K::Int32, 0, R::RepaintAll, "The amount of curvature of the top left corner of the control."),
    num("CurveTopRight", K::Int32, 0, R::RepaintAll,
        "The amount of curvature of the top right corner of the control."),
    num("DecimalSeparator", K::Int32, 1, R::RebuildShow,
        "The character to use as the decimal point character: a period or a comma."),
    num("InterDigitGap", K::Int32, 6, R::RebuildShow,
        "The number of pixels separating each display digit in the main value."),
    num("InterDigitGapExp", K::Int32, 2, R::RebuildShow,
        "The number of pixels separating each display digit in the exponent value."),
    num("InterSegmentGap", K::Int32, 0, R::RebuildShow,
        "The number of pixels separating individual segments in a main value display digit."),
    num("InterSegmentGapExp", K::Int32, 0, R::RebuildShow,
        "The number of pixels separating individual segments in an exponent value display digit."),
    num("NumDigits", K::Int32, 20, R::RebuildShow, "The maximum number of main value digits to display."),
    num("NumDigitsExp", K::Int32, 4, R::RebuildShow, "The maximum number of exponent value digits to display."),
    num("Picture", K::Picture, 0, R::Special,
        "The bitmap to display in the control's background in lieu of a gradient."),
    num("PictureMode", K::Int32, 0, R::RebuildShow,
        "The method used to display the background bitmap - Regular, Tiled or Stretched."),
    num("SegmentFillStyle", K::Int32, 1, R::RebuildShow,
        "Determines whether the digit segments are painted in regular (filled-in) or filament (outline) style."),
    num("SegmentHeight", K::Int32, 8, R::RebuildShow,
        "The height, in pixels, of the long dimension of a main value digit segment."),
    num("SegmentHeightExp", K::Int32, 6, R::RebuildShow,
        "The height, in pixels, of the long dimension of an exponent digit segment."),
    num("SegmentLitColor", K::Colour, 0xFFFF00, R::RebuildShow,
        "The color with which to display an activated LCD digit segment when the value to display is positive."),
    num("SegmentLitColorNeg", K::Colour, 0xFFFF00, R::RebuildShow,
        "The color with which to display an activated LCD digit segment when the value to display is negative."),
    num("SegmentStyle", K::Int32, 2, R::RebuildShow,
        "The shape of main value digit segments: Rectangular, Hexagonal or Trapezoidal."),
    num("SegmentStyleExp", K::Int32, 2, R::RebuildShow,
        "The shape of exponent digit segments: Rectangular, Hexagonal or Trapezoidal."),
    num("SegmentWidth", K::Int32, 3, R::RebuildShow,
        "The length, in pixels, of the short dimension of an individual main value display digit segment."),
    num("SegmentWidthExp", K::Int32, 3, R::RebuildShow,
        "The length, in pixels, of the short dimension of an individual exponent display digit segment."),
    num("ShowBurnIn", K::Flag, -1, R::RebuildShow,
        "If True, unlit segments are displayed with a faint \"burn-in' color to simulate a physical LED/LCD "
        "display."),
    num("ShowExponent", K::Flag, -1, R::RebuildShow,
        "If True, an exponent is shown.  Set to False when using control as a simple counter."),
    num("ShowThousandsSeparator", K::Flag, 0, R::RebuildShow,
        "If True, groups of thousands are separated by the character in the .ThousandsSeparator property (comma "
        "or period)."),
    num("Theme", K::Int32, 5, R::Special, "One of several predefined display styles."),
    num("ThousandsGrouping", K::Int32, 3, R::ShowOnly,
        "The number of digits between thousands groups in a value (in the U.S., for example, the value is 3)."),
    num("ThousandsSeparator", K::Int32, 0, R::RebuildShow,
        "The character to be used to separate groups of digits (a comma or period).", true),
    { "Value", K::Text, 0, "1234567890", R::Special, true, "The value to be shown in the digital display." },
    num("XOffset", K::Int32, 5, R::RebuildShow,
        "The number of pixels from the left edge of the control to start displaying main value digits."),
    num("XOffsetExp", K::Int32, 355, R::RebuildShow,
        "The number of pixels from the left edge of the control to start displaying exponent digits."),
    num("YOffset", K::Int32, 5, R::RebuildShow,
        "The number of pixels from the top side of the control to display the LCD main value digits (does not take "
        "border into account)."),
    num("YOffsetExp", K::Int32, 5, R::RebuildShow,
        "The number of pixels from the top side of the control to display the LCD exponent digits (does not take "
        "border into account)."),
} };

std::optional<int> findDisplayProperty(std::string_view name)
{
    for (int i = 0; i < kPropertyCount; ++i)
        if (kDisplayProperties[i].name == name)
            return i;
    auto sameIgnoringCase = [](std::string_view a, std::string_view b) {
        if (a.size() != b.size())
            return false;
        for (size_t i = 0; i < a.size(); ++i)
            if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
                return false;
        return true;
    };
    for (int i = 0; i < kPropertyCount; ++i)
        if (sameIgnoringCase(kDisplayProperties[i].name, name))
            return i;
    return std::nullopt;
}
