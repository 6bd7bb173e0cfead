// Segment shapes at their minimum-thickness and halving edges, the rounded
// outline's corners, and every builder under hostile sizes.
#include "shapes.h"

#include <gtest/gtest.h>

#include <climits>

using namespace segraster;

TEST(Shapes, HexagonsAreAtLeastFourThickAndEven)
{
    // Upright hexagon of W = 3 and W = 5 (H = 20): thickness 4 both times.
    for (int W : { 1, 3, 4, 5 })
        EXPECT_EQ(MakeSegmentShape(kHexUpright, 20, W).boundingRect().width(), 4) << W;
    EXPECT_EQ(MakeSegmentShape(kHexUpright, 20, 7).boundingRect().width(), 6);
    // The lying one keeps its length H and takes the thickness as height.
    const Rect lying = MakeSegmentShape(kHexLying, 20, 5).boundingRect();
    EXPECT_EQ(lying.width(), 20);
    EXPECT_EQ(lying.height(), 4);
}

TEST(Shapes, TrapezoidsHalveWhenTooShortForTheirThickness)
{
    // H = 6, W = 4: 2W > H, so top and bottom are 3 thick, the sides 3 wide.
    EXPECT_EQ(MakeSegmentShape(kTrapTop, 6, 4).boundingRect().height(), 3);
    EXPECT_EQ(MakeSegmentShape(kTrapBottom, 6, 4).boundingRect().height(), 3);
    EXPECT_EQ(MakeSegmentShape(kTrapLeft, 6, 4).boundingRect().width(), 3);
    EXPECT_EQ(MakeSegmentShape(kTrapRight, 6, 4).boundingRect().width(), 3);
    // H = 8, W = 4: no halving, the full thickness.
    EXPECT_EQ(MakeSegmentShape(kTrapTop, 8, 4).boundingRect().height(), 4);
    // The wide edge of the top trapezoid is its top row.
    const Region top = MakeSegmentShape(kTrapTop, 20, 4);
    EXPECT_EQ(top.row(0).spans.front().x1 - top.row(0).spans.front().x0, 20);
    EXPECT_GT(top.row(0).spans.front().x1 - top.row(0).spans.front().x0,
        top.row(3).spans.front().x1 - top.row(3).spans.front().x0);
}

TEST(Shapes, RectanglesAndDotAreOneShortOfTheirSizes)
{
    EXPECT_EQ(MakeSegmentShape(kRectUpright, 20, 8).boundingRect(), (Rect { 0, 0, 7, 19 }));
    EXPECT_EQ(MakeSegmentShape(kRectLying, 20, 8).boundingRect(), (Rect { 0, 0, 19, 7 }));
    EXPECT_EQ(MakeMarkShape(1, 20, 8, 5)->boundingRect(), (Rect { 0, 0, 7, 7 }));
    EXPECT_FALSE(MakeMarkShape(2, 20, 8, 5).has_value());
    EXPECT_FALSE(MakeMarkShape(-1, 20, 8, 5).has_value());
    EXPECT_TRUE(MakeSegmentShape(kDecimalMark, 20, 8).isEmpty());
}

TEST(Shapes, CommaStrokeHangsYOffsetMinusWidthBelowItsPoint)
{
    const Rect box = MakeMarkShape(0, 20, 8, 5)->boundingRect();
    EXPECT_EQ(box.top, 5 - 8);
    EXPECT_EQ(box.bottom, 5 - 8 + 20);
    EXPECT_EQ(MakeMarkShape(0, 20, 8, 9)->boundingRect().top, 1); // another YOffset only moves it
}

TEST(Shapes, RoundedCornersAreQuarterCirclesOfTheCurve)
{
    const Region plain = MakeRoundedRegion(0, 0, 60, 40, 0, 0, 0, 0);
    EXPECT_EQ(plain, Region::fromRect(0, 0, 60, 40));
    const Region round = MakeRoundedRegion(0, 0, 60, 40, 10, 0, 0, 0);
    EXPECT_FALSE(round.contains(0, 0));
    EXPECT_FALSE(round.contains(2, 2));
    EXPECT_TRUE(round.contains(3, 3));
    EXPECT_TRUE(round.contains(59, 0));
    EXPECT_TRUE(round.contains(0, 39));
    // Border 0: no ring; a ring of width 1 follows the corner.
    EXPECT_TRUE(MakeBorderRing(60, 40, 0, 10, 0, 0, 0).isEmpty());
    const Region ring = MakeBorderRing(60, 40, 1, 10, 0, 0, 0);
    EXPECT_TRUE(ring.contains(7, 0));
    EXPECT_TRUE(ring.contains(0, 20));
    EXPECT_FALSE(ring.contains(1, 20));
    EXPECT_FALSE(ring.contains(30, 1));
    EXPECT_EQ(ring.subtracted(round), Region());
}

TEST(Shapes, HostileSizesGiveBoundedRegions)
{
    const int sizes[] = { 0, -3, -1000000, 1000000000, INT_MAX, INT_MIN };
    for (int H : sizes) {
        for (int W : sizes) {
            for (int entry = 0; entry < 8; ++entry) {
                const Region r = MakeSegmentShape(entry, H, W);
                ASSERT_LE(r.rowCount(), 2 * kCoordLimit);
            }
            ASSERT_LE(MakeMarkShape(0, H, W, INT_MIN)->rowCount(), 2 * kCoordLimit);
            ASSERT_LE(MakeMarkShape(1, H, W, INT_MAX)->rowCount(), 2 * kCoordLimit);
        }
    }
    const Region ring = MakeBorderRing(403, 31, 32767, INT_MAX, INT_MIN, 5, -5);
    EXPECT_TRUE(ring.subtracted(Region::fromRect(0, 0, 403, 31)).isEmpty());
    const Region huge
        = MakeRoundedRegion(INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX);
    EXPECT_LE(huge.rowCount(), 2 * kCoordLimit);
}
