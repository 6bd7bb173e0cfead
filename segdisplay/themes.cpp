#include "themes.h"

#include "units.h"

const ThemeRow* themeRow(int32_t n)
{
    if (n < 1 || n > int32_t(kThemes.size()))
        return nullptr;
    return &kThemes[size_t(n - 1)];
}

QSize themeSize(const ThemeRow& row)
{
    return { units::pixelsFromTwips(row.widthTwips), units::pixelsFromTwips(row.heightTwips) };
}

void storeThemeHead(DisplayProperties& p, const ThemeRow& row)
{
    p.BackAngle = 90.0f;
    p.BackColor1 = row.backColour;
    p.BackColor2 = row.backColour;
    p.BackMiddleOut = true;
    p.BorderColor = 0xFF0000;
    p.BorderWidth = 1;
    p.BurnInColor = row.burnInColour;
    p.BurnInColorNeg = row.burnInColour;
    p.CurveBottomLeft = 0;
    p.CurveBottomRight = 0;
    p.CurveTopLeft = 0;
    p.CurveTopRight = 0;
    p.DecimalSeparator = 1;
    p.InterDigitGap = row.interDigitGap;
    p.InterDigitGapExp = row.interDigitGapExp;
    p.InterSegmentGap = row.interSegmentGap;
    p.InterSegmentGapExp = 0;
    p.NumDigits = 20;
    p.NumDigitsExp = 4;
}

void storeThemeTail(DisplayProperties& p, const ThemeRow& row)
{
    p.SegmentFillStyle = int32_t(SegmentFill::Solid);
    p.SegmentHeight = row.segmentHeight;
    p.SegmentHeightExp = row.segmentHeightExp;
    p.SegmentLitColor = row.litColour;
    p.SegmentLitColorNeg = row.litColour;
    p.SegmentStyle = row.segmentStyle;
    p.SegmentStyleExp = int32_t(SegmentShape::Rectangular);
    p.SegmentWidth = row.segmentWidth;
    p.SegmentWidthExp = row.segmentWidthExp;
    p.ShowBurnIn = true;
    p.ShowExponent = true;
    p.ShowThousandsSeparator = false;
    p.ThousandsGrouping = 3;
    p.ThousandsSeparator = 0;
    p.XOffset = 5;
    p.XOffsetExp = row.xOffsetExp;
    p.YOffset = 5;
    p.YOffsetExp = 5;
}
