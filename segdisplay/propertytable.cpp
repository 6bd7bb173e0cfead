#include "propertytable.h"

#include <deque>
#include <string>
#include <type_traits>

namespace {

using D = DisplayProperties;
using R = SetterRuns;

const DisplayProperties& defaults()
{
    static const DisplayProperties d;
    return d;
}

template <typename T> double numberOf(const T& value)
{
    if constexpr (std::is_same_v<T, bool>)
        return value ? -1 : 0;
    else if constexpr (std::is_arithmetic_v<T>)
        return double(value);
    else
        return 0;
}

// The default text kept for the life of the program.
std::string_view textOf(const QString& value)
{
    static std::deque<std::string> kept;
    return kept.emplace_back(value.toStdString());
}
template <typename T> std::string_view textOf(const T&)
{
    return {};
}

template <typename T>
PropertyInfo row(std::string_view name, T D::*member, R runs, std::string_view doc, bool noticeLast = false)
{
    const T& value = defaults().*member;
    return { propertyField(name, member), numberOf(value), textOf(value), runs, noticeLast, doc };
}

} // namespace

const std::array<PropertyInfo, kPropertyCount> kDisplayProperties = { {
    row("BackAngle", &D::BackAngle, R::GradientRepaint,
        "The angle, in degrees, of the colors in the control's background gradient."),
    row("BackColor1", &D::BackColor1, R::GradientRepaint, "The first color of the background gradient."),
    row("BackColor2", &D::BackColor2, R::GradientRepaint, "The second color of the background gradient."),
    row("BackMiddleOut", &D::BackMiddleOut, R::GradientRepaint,
        "If True, the background gradient is middle-out (Color1 > Color2 > Color1)."),
    row("BorderColor", &D::BorderColor, R::RepaintAll, "The color of the control's border."),
    row("BorderWidth", &D::BorderWidth, R::RepaintAll, "The width, in pixels, of the control's border."),
    row("BurnInColor", &D::BurnInColor, R::RebuildShow,
        "The color of 'burned-in' segments.  If the .ShowBurnIn property is True, this helps the display "
        "look "
        "more like a physical LED/LCD."),
    row("BurnInColorNeg", &D::BurnInColorNeg, R::RebuildShow,
        "The color to paint unlit segments in .ShowBurnIn=True display mode if the value being displayed is "
        "negative."),
    row("CurveBottomLeft", &D::CurveBottomLeft, R::RepaintAll,
        "The amount of curvature of the bottom left corner of the control."),
    row("CurveBottomRight", &D::CurveBottomRight, R::RepaintAll,
        "The amount of curvature of the bottom right corner of the control."),
    row("CurveTopLeft", &D::CurveTopLeft, R::RepaintAll,
        "The amount of curvature of the top left corner of the control."),
    row("CurveTopRight", &D::CurveTopRight, R::RepaintAll,
        "The amount of curvature of the top right corner of the control."),
    row("DecimalSeparator", &D::DecimalSeparator, R::RebuildShow,
        "The character to use as the decimal point character: a period or a comma."),
    row("InterDigitGap", &D::InterDigitGap, R::RebuildShow,
        "The number of pixels separating each display digit in the main value."),
    row("InterDigitGapExp", &D::InterDigitGapExp, R::RebuildShow,
        "The number of pixels separating each display digit in the exponent value."),
    row("InterSegmentGap", &D::InterSegmentGap, R::RebuildShow,
        "The number of pixels separating individual segments in a main value display digit."),
    row("InterSegmentGapExp", &D::InterSegmentGapExp, R::RebuildShow,
        "The number of pixels separating individual segments in an exponent value display digit."),
    row("NumDigits", &D::NumDigits, R::RebuildShow, "The maximum number of main value digits to display."),
    row("NumDigitsExp", &D::NumDigitsExp, R::RebuildShow,
        "The maximum number of exponent value digits to display."),
    row("Picture", &D::Picture, R::Special,
        "The bitmap to display in the control's background in lieu of a gradient."),
    row("PictureMode", &D::PictureMode, R::RebuildShow,
        "The method used to display the background bitmap - Regular, Tiled or Stretched."),
    row("SegmentFillStyle", &D::SegmentFillStyle, R::RebuildShow,
        "Determines whether the digit segments are painted in regular (filled-in) or filament (outline) "
        "style."),
    row("SegmentHeight", &D::SegmentHeight, R::RebuildShow,
        "The height, in pixels, of the long dimension of a main value digit segment."),
    row("SegmentHeightExp", &D::SegmentHeightExp, R::RebuildShow,
        "The height, in pixels, of the long dimension of an exponent digit segment."),
    row("SegmentLitColor", &D::SegmentLitColor, R::RebuildShow,
        "The color with which to display an activated LCD digit segment when the value to display is "
        "positive."),
    row("SegmentLitColorNeg", &D::SegmentLitColorNeg, R::RebuildShow,
        "The color with which to display an activated LCD digit segment when the value to display is "
        "negative."),
    row("SegmentStyle", &D::SegmentStyle, R::RebuildShow,
        "The shape of main value digit segments: Rectangular, Hexagonal or Trapezoidal."),
    row("SegmentStyleExp", &D::SegmentStyleExp, R::RebuildShow,
        "The shape of exponent digit segments: Rectangular, Hexagonal or Trapezoidal."),
    row("SegmentWidth", &D::SegmentWidth, R::RebuildShow,
        "The length, in pixels, of the short dimension of an individual main value display digit segment."),
    row("SegmentWidthExp", &D::SegmentWidthExp, R::RebuildShow,
        "The length, in pixels, of the short dimension of an individual exponent display digit segment."),
    row("ShowBurnIn", &D::ShowBurnIn, R::RebuildShow,
        "If True, unlit segments are displayed with a faint \"burn-in' color to simulate a physical LED/LCD "
        "display."),
    row("ShowExponent", &D::ShowExponent, R::RebuildShow,
        "If True, an exponent is shown.  Set to False when using control as a simple counter."),
    row("ShowThousandsSeparator", &D::ShowThousandsSeparator, R::RebuildShow,
        "If True, groups of thousands are separated by the character in the .ThousandsSeparator property "
        "(comma "
        "or period)."),
    row("Theme", &D::Theme, R::Special, "One of several predefined display styles."),
    row("ThousandsGrouping", &D::ThousandsGrouping, R::ShowOnly,
        "The number of digits between thousands groups in a value (in the U.S., for example, the value is "
        "3)."),
    row("ThousandsSeparator", &D::ThousandsSeparator, R::RebuildShow,
        "The character to be used to separate groups of digits (a comma or period).", true),
    row("Value", &D::Value, R::Special, "The value to be shown in the digital display.", true),
    row("XOffset", &D::XOffset, R::RebuildShow,
        "The number of pixels from the left edge of the control to start displaying main value digits."),
    row("XOffsetExp", &D::XOffsetExp, R::RebuildShow,
        "The number of pixels from the left edge of the control to start displaying exponent digits."),
    row("YOffset", &D::YOffset, R::RebuildShow,
        "The number of pixels from the top side of the control to display the LCD main value digits (does "
        "not take "
        "border into account)."),
    row("YOffsetExp", &D::YOffsetExp, R::RebuildShow,
        "The number of pixels from the top side of the control to display the LCD exponent digits (does not "
        "take "
        "border into account)."),
} };

std::optional<int> findDisplayProperty(std::string_view name)
{
    return propertyfields::find(kDisplayProperties, name);
}
