// The 41 stored properties of a SegmentDisplay, one field each, at their
// defaults. The control owns one of these; drawing code reads it.
#pragma once

#include "propertyfields.h"

#include <QImage>
#include <QString>

#include <cstdint>
#include <memory>

// A colour reference: 0x00BBGGRR, or a system colour with the top bit set.
using OleColour = quint32;

// The kinds the numeric properties SegmentStyle(Exp), PictureMode and
// SegmentFillStyle name, by the numbers stored for them. The fields stay
// plain numbers: a stored or assigned number outside these is kept as given.
enum class SegmentShape : int32_t { Hexagonal = 0, Trapezoidal = 1, Rectangular = 2 };
enum class PictureLayout : int32_t { Regular = 0, Stretched = 1, Tiled = 2 };
enum class SegmentFill : int32_t { Outline = 0, Solid = 1 };

constexpr bool isSegmentShape(int32_t style)
{
    return style >= int32_t(SegmentShape::Hexagonal) && style <= int32_t(SegmentShape::Rectangular);
}
// Hexagonal and trapezoidal segments are built from halves.
constexpr bool segmentsNeedEvenSizes(int32_t style)
{
    return style == int32_t(SegmentShape::Hexagonal) || style == int32_t(SegmentShape::Trapezoidal);
}

struct DisplayProperties {
    float BackAngle = 90.0f;
    OleColour BackColor1 = 0x000000;
    OleColour BackColor2 = 0x000000;
    bool BackMiddleOut = true;
    OleColour BorderColor = 0xFF0000;
    int16_t BorderWidth = 1;
    OleColour BurnInColor = 0x505000;
    OleColour BurnInColorNeg = 0x505000;
    int32_t CurveBottomLeft = 0;
    int32_t CurveBottomRight = 0;
    int32_t CurveTopLeft = 0;
    int32_t CurveTopRight = 0;
    int32_t DecimalSeparator = 1;
    int32_t InterDigitGap = 6;
    int32_t InterDigitGapExp = 2;
    int32_t InterSegmentGap = 0;
    int32_t InterSegmentGapExp = 0;
    int32_t NumDigits = 20;
    int32_t NumDigitsExp = 4;
    PicturePtr Picture = std::make_shared<QImage>();
    int32_t PictureMode = int32_t(PictureLayout::Regular);
    int32_t SegmentFillStyle = int32_t(SegmentFill::Solid);
    int32_t SegmentHeight = 8;
    int32_t SegmentHeightExp = 6;
    OleColour SegmentLitColor = 0xFFFF00;
    OleColour SegmentLitColorNeg = 0xFFFF00;
    int32_t SegmentStyle = int32_t(SegmentShape::Rectangular);
    int32_t SegmentStyleExp = int32_t(SegmentShape::Rectangular);
    int32_t SegmentWidth = 3;
    int32_t SegmentWidthExp = 3;
    bool ShowBurnIn = true;
    bool ShowExponent = true;
    bool ShowThousandsSeparator = false;
    int32_t Theme = 5;
    int32_t ThousandsGrouping = 3;
    int32_t ThousandsSeparator = 0;
    QString Value = QStringLiteral("1234567890");
    int32_t XOffset = 5;
    int32_t XOffsetExp = 355;
    int32_t YOffset = 5;
    int32_t YOffsetExp = 5;
};
