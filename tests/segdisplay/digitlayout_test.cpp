// Cell sizes, cell edges, segment places and mark positions.
#include "digitlayout.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(DigitLayout, CellSizePerStyle)
{
    struct Case {
        int style, H, W, G, cellW, cellH;
    };
    const Case cases[] = {
        { 0, 20, 8, 5, 38, 68 }, // H + W + 2G, 2H + W + 4G
        { 1, 12, 4, 1, 14, 28 }, // H + 2G, 2H + 4G
        { 2, 8, 3, 0, 11, 21 }, // H + 2W + 2G - 3, 2H + 3W + 4G - 4
        { 2, 6, 3, 0, 9, 17 },
    };
    for (const Case& c : cases) {
        int32_t w = -1, h = -1;
        ASSERT_TRUE(cellSize(c.style, { c.H, c.W, c.G }, w, h));
        EXPECT_EQ(w, c.cellW) << c.style;
        EXPECT_EQ(h, c.cellH) << c.style;
    }
    int32_t w = 7, h = 9;
    EXPECT_FALSE(cellSize(3, { 8, 3, 0 }, w, h));
    EXPECT_EQ(w, 7);
}

TEST(DigitLayout, RowsStartAfterBorderAndOffset)
{
    DisplayProperties p;
    const DigitLayout l = layoutDigits(p, {});
    EXPECT_EQ(l.CellWidth, 11);
    EXPECT_EQ(l.CellHeight, 21);
    EXPECT_EQ(l.DigitX[0], 6); // border 1 + XOffset 5
    EXPECT_EQ(l.DigitX[19], 6 + 19 * 17);
    EXPECT_EQ(l.CellWidthExp, 9);
    EXPECT_EQ(l.DigitXExp[0], 356);
    EXPECT_EQ(l.DigitXExp[3], 356 + 3 * 11);
}

TEST(DigitLayout, UnknownStyleKeepsPreviousCellSize)
{
    DisplayProperties p;
    const DigitLayout before = layoutDigits(p, {});
    p.SegmentStyle = 7;
    p.SegmentHeight = 30;
    const DigitLayout after = layoutDigits(p, before);
    EXPECT_EQ(after.CellWidth, before.CellWidth);
    EXPECT_EQ(after.CellHeight, before.CellHeight);
}

TEST(DigitLayout, PositionsBeyond32BitsAreRefused)
{
    DisplayProperties p;
    p.XOffset = std::numeric_limits<int32_t>::max();
    EXPECT_THROW(layoutDigits(p, {}), DisplayOverflow);
    p = {};
    p.SegmentHeight = std::numeric_limits<int32_t>::max();
    EXPECT_THROW(layoutDigits(p, {}), DisplayOverflow);
    p = {};
    p.InterDigitGap = 200000000; // 20 cells of that step pass 2^31
    EXPECT_THROW(layoutDigits(p, {}), DisplayOverflow);
    p.NumDigits = 1;
    EXPECT_NO_THROW(layoutDigits(p, {}));
}

TEST(DigitLayout, SegmentPlacesOfEachStyle)
{
    const SegmentMetrics m { 8, 3, 1 };
    const auto rect = segmentPlaces(2, 100, 10, m);
    EXPECT_EQ(rect[0].shape, 7);
    EXPECT_EQ(rect[0].x, 100 + 3 + 1 - 1);
    EXPECT_EQ(rect[3].y, 10 + 16 + 6 + 4 - 4); // d: Y + 2H + 2W + 4G - 4
    const auto hex = segmentPlaces(0, 100, 10, m);
    EXPECT_EQ(hex[1].shape, 0);
    EXPECT_EQ(hex[2].y, 10 + 8 + 1 + 3); // c: Y + H + W\2 + 3G
    const auto trap = segmentPlaces(1, 100, 10, m);
    EXPECT_EQ(trap[6].shape, 1); // the middle bar is a lying hexagon
    EXPECT_EQ(trap[6].y, 10 + 8 + 2 - 1); // Y + H + 2G - W\2
    EXPECT_EQ(trap[1].x, 100 + 8 + 2 - 3);
}

TEST(DigitLayout, MarkPositions)
{
    MarkGeometry g;
    g.cellW = 11;
    g.cellH = 21;
    g.interDigitGap = 6;
    g.yOffset = 5;
    g.segmentStyle = 2;
    g.m = { 8, 3, 0 };
    const MarkPos comma = markPosition(0, 100, g);
    EXPECT_EQ(comma.x, 108);
    EXPECT_EQ(comma.y, 22);
    const MarkPos period = markPosition(1, 100, g);
    EXPECT_EQ(period.x, 113); // 100 + 11 + 3 - 1
    EXPECT_EQ(period.y, 23); // 5 + 21 - 3 + 1 - 1 for the rectangular style
    g.segmentStyle = 0;
    EXPECT_EQ(markPosition(1, 100, g).y, 24);
    EXPECT_EQ(markPosition(5, 100, g).x, period.x); // other separators as a period
    const ColonPosition colon = colonPosition(100, g);
    EXPECT_EQ(colon.x, 114);
    EXPECT_EQ(colon.y1, 5 + 4 + 1);
    EXPECT_EQ(colon.y2, colon.y1 + 8);
}

} // namespace
