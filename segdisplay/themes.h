// The six predefined display styles as data, and the parts of applying one
// that need no window: the values stored before `Picture` and those after it.
#pragma once

#include "displayproperties.h"

#include <QSize>

#include <array>
#include <cstdint>

// What differs between the themes. Each colour goes into both properties of
// its pair, so positive and negative values look alike.
struct ThemeRow {
    OleColour backColour; // BackColor1 and BackColor2
    OleColour burnInColour; // BurnInColor and BurnInColorNeg
    OleColour litColour; // SegmentLitColor and SegmentLitColorNeg
    int32_t segmentStyle;
    int32_t segmentHeight, segmentWidth, interSegmentGap, interDigitGap;
    int32_t segmentHeightExp, segmentWidthExp, interDigitGapExp, xOffsetExp;
    int widthTwips, heightTwips; // the control's outer size
};

inline constexpr std::array<ThemeRow, 6> kThemes { {
    // back      burn-in   lit       style  h   w  seg digit  hExp wExp digitExp xExp  width height
    { 0x000000, 0x000060, 0x0000FF, 0, 8, 4, 0, 4, 5, 3, 2, 335, 5715, 450 }, // 1 red on black, small
    { 0x000000, 0x000060, 0x0000FF, 0, 12, 4, 1, 6, 8, 4, 2, 490, 8355, 630 }, // 2 red on black, large
    { 0xE0E0E0, 0xD0D0D0, 0x000000, 1, 12, 4, 1, 4, 6, 3, 2, 370, 6525, 570 }, // 3 black on grey, small
    { 0xE0E0E0, 0xD0D0D0, 0x000000, 1, 14, 4, 1, 6, 8, 4, 2, 455, 7875, 630 }, // 4 black on grey, large
    { 0x000000, 0x505000, 0xFFFF00, 2, 8, 3, 0, 6, 6, 3, 2, 355, 6045, 465 }, // 5 cyan on black
    { 0x000000, 0x005050, 0x00FFFF, 2, 4, 2, 0, 4, 4, 2, 3, 195, 3525, 300 }, // 6 yellow on black, small
} };

// The row of theme n (1 to 6), or nullptr for any other number.
const ThemeRow* themeRow(int32_t n);

// The row's outer size in pixels.
QSize themeSize(const ThemeRow& row);

// Stores, in order, BackAngle through NumDigitsExp.
void storeThemeHead(DisplayProperties& p, const ThemeRow& row);
// Stores, in order, the properties after Picture and PictureMode.
void storeThemeTail(DisplayProperties& p, const ThemeRow& row);
