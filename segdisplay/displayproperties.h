// The 41 stored properties of a SegmentDisplay, one field each, at their
// defaults. The control owns one of these; drawing code reads it.
#pragma once

#include <QImage>
#include <QMetaType>
#include <QString>

#include <cstdint>
#include <memory>

// A colour reference: 0x00BBGGRR, or a system colour with the top bit set.
using OleColour = quint32;

// A shared picture object. nullptr is "no picture"; a null QImage is an
// empty picture. The control keeps the very object it was given.
using PicturePtr = std::shared_ptr<QImage>;
Q_DECLARE_METATYPE(PicturePtr)

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
    int32_t PictureMode = 0;
    int32_t SegmentFillStyle = 1;
    int32_t SegmentHeight = 8;
    int32_t SegmentHeightExp = 6;
    OleColour SegmentLitColor = 0xFFFF00;
    OleColour SegmentLitColorNeg = 0xFFFF00;
    int32_t SegmentStyle = 2;
    int32_t SegmentStyleExp = 2;
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
