// The background gradient, pixel for pixel. Expected values are worked out by
// hand from the computation's steps (d, quadrant, beta, t, L, s, c, ramp);
// the working is in the comments.
#include "gradient.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace segraster;

namespace {

constexpr std::uint32_t kRedRef = 0x0000FF; // colour references, red in the low byte
constexpr std::uint32_t kBlueRef = 0xFF0000;
constexpr std::uint32_t kRed = 0xFF0000; // pixels, 0x00RRGGBB
constexpr std::uint32_t kBlue = 0x0000FF;

GradientImage build(int w, int h, std::uint32_t c1, std::uint32_t c2, float angle, bool middleOut)
{
    GradientImage g;
    EXPECT_EQ(BuildGradient(g, w, h, c1, c2, angle, middleOut), GradientResult::Built);
    EXPECT_EQ(g.bits.size(), std::size_t(w) * std::size_t(h));
    return g;
}

void expectRowsUniform(const GradientImage& g)
{
    for (int y = 0; y < g.height; ++y)
        for (int x = 1; x < g.width; ++x)
            ASSERT_EQ(g.at(x, y), g.at(0, y)) << "row " << y;
}

} // namespace

// 100 x 50 at 90 degrees: d = 0, quadrant 0, beta = atan(2) = 63.43 degrees,
// t = 26.57 degrees, L = sqrt(12500) sin(t) = 50; s = 0, c = 1000, so stored
// row y takes ramp entry y. Ramp entry k = (255 - 255k \ 49, 0, 255k \ 49).
TEST(Gradient, NinetyDegreesRunsBottomToTop)
{
    const GradientImage g = build(100, 50, kRedRef, kBlueRef, 90.0f, false);
    expectRowsUniform(g);
    EXPECT_EQ(g.bits[0], kRed); // bottom row: c1
    EXPECT_EQ(g.at(0, 0), kBlue); // top row: entry 49 = c2
    EXPECT_EQ(g.bits[10 * 100], 0xCB0034u); // entry 10: 255 - 52, 2550 \ 49 = 52
}

// Middle-out: table = ramp 0, 2, ..., 48, then 49, 47, ..., 1.
TEST(Gradient, MiddleOutFoldsTheRamp)
{
    const GradientImage g = build(100, 50, kRedRef, kBlueRef, 90.0f, true);
    expectRowsUniform(g);
    EXPECT_EQ(g.bits[0], kRed); // table[0] = ramp 0
    EXPECT_EQ(g.at(0, 0), 0xFA0005u); // table[49] = ramp 1: 255 - 5, 255 \ 49 = 5
    EXPECT_EQ(g.bits[24 * 100], 0x0600F9u); // table[24] = ramp 48: 255 - 249, 249
    EXPECT_EQ(g.bits[25 * 100], kBlue); // table[25] = ramp 49
    for (std::uint32_t p : g.bits)
        ASSERT_NE(p, 0u) << "no row is black";
}

// 0 degrees: d = 90, quadrant 1, s = 1000, c = 0: columns, c1 on the left
// (L = 100 for 100 x 50). 180: d = 270, quadrant 3, colours swapped: c1 right.
TEST(Gradient, HorizontalAnglesGiveColumns)
{
    const GradientImage left = build(100, 50, kRedRef, kBlueRef, 0.0f, false);
    const GradientImage right = build(100, 50, kRedRef, kBlueRef, 180.0f, false);
    for (int y = 0; y < 50; ++y) {
        EXPECT_EQ(left.at(0, y), kRed);
        EXPECT_EQ(left.at(99, y), kBlue);
        EXPECT_EQ(right.at(0, y), kBlue);
        EXPECT_EQ(right.at(99, y), kRed);
        EXPECT_EQ(left.at(1, y), 0xFD0002u); // entry 1 of 100: 255 - 255 \ 99 = 253, 2
    }
}

// -90 and 270 both give d = 180; only 270 lies in the middle-out swap range.
TEST(Gradient, MinusNinetyAndTwoSeventyDifferOnlyWhenMiddleOut)
{
    EXPECT_EQ(build(40, 30, kRedRef, kBlueRef, -90.0f, false).bits,
        build(40, 30, kRedRef, kBlueRef, 270.0f, false).bits);
    const GradientImage minus = build(40, 30, kRedRef, kBlueRef, -90.0f, true);
    const GradientImage plus = build(40, 30, kRedRef, kBlueRef, 270.0f, true);
    EXPECT_EQ(build(40, 30, kRedRef, kBlueRef, -90.0f, false).bits[0], kBlue); // c2 at the bottom
    EXPECT_EQ(minus.bits[0], kBlue);
    EXPECT_EQ(plus.bits[0], kRed);
}

// 45 degrees on 100 x 100: L = 141, s = c = 707; pixel (x, y) of stored row y
// takes entry (707x + 707y) \ 1000 of a ramp with n = 140.
TEST(Gradient, FortyFiveDegreesOnASquare)
{
    const GradientImage g = build(100, 100, 0x000000, kBlueRef, 45.0f, false);
    EXPECT_EQ(g.bits[0], 0u);
    // (99, 99): 139986 \ 1000 = 139; blue 139 * 255 \ 140 = 253.
    EXPECT_EQ(g.bits[99 * 100 + 99], 253u);
    // (10, 0): 7 -> 7 * 255 \ 140 = 12; (0, 10) the same entry.
    EXPECT_EQ(g.bits[10], 12u);
    EXPECT_EQ(g.bits[10 * 100], 12u);
}

TEST(Gradient, OnePixelHighUsesTheHalvedSum)
{
    // 100 x 1 at 90: beta = 89.43, t = 0.573 degrees, L = 100.005 x 0.0099997 -> 1.
    const GradientImage g = build(100, 1, kRedRef, kBlueRef, 90.0f, false);
    for (std::uint32_t p : g.bits)
        EXPECT_EQ(p, 0x7F007Fu);
    // 1 x 1: L = 1.414 x sin(45) -> 1; 0x7F + 0x80 halves to 0x3F + 0x40.
    EXPECT_EQ(build(1, 1, 0x7F, 0x80, 90.0f, false).bits.at(0), 0x7Fu << 16);
}

TEST(Gradient, EqualOrUntranslatableColoursArePlain)
{
    for (float angle : { 0.0f, 33.0f, 90.0f, 200.0f, 359.0f }) {
        for (std::uint32_t p : build(31, 17, 0x123456, 0x123456, angle, true).bits)
            ASSERT_EQ(p, 0x563412u) << angle;
        for (std::uint32_t p : build(31, 17, 0xFFFFFFFFu, 0xFFFFFFFFu, angle, false).bits)
            ASSERT_EQ(p, 0xFFFFFFu) << angle;
    }
}

// 465 x 507 at 99 degrees: d = 351, quadrant 3, r = 81; the steps give
// L = 573 where the rounded closed formula gives 574. s = 156, c = 988; the
// largest index, 572 at the bottom-right corner, is then exactly c1 (black
// after the quadrant swap), while a 574-step ramp would give 1 there.
TEST(Gradient, StepsNotClosedFormulaDecideTheLength)
{
    const GradientImage g = build(465, 507, 0x000000, kRedRef, 99.0f, false);
    EXPECT_EQ(g.at(0, 0), kRed);
    EXPECT_EQ(g.at(464, 506), 0u);
    EXPECT_EQ(g.at(0, 506), 0x210000u); // entry 499: 255 - 499 * 255 \ 572
    EXPECT_EQ(g.at(464, 0), 0xDF0000u); // entry 72:  255 - 72 * 255 \ 572
}

// 1904 x 1380 at 349: quadrant 1, r = 11, L = 2132, s = 982, c = 191; the
// bottom-right pixel reaches index 2132, one past the table: the last entry.
TEST(Gradient, IndexPastTheTableUsesTheLastEntry)
{
    const GradientImage g = build(1904, 1380, 0x000000, kBlueRef, 349.0f, false);
    EXPECT_EQ(g.at(1903, 1379), kBlue);
    EXPECT_EQ(g.at(1903, 0), 0xDFu); // entry 1868: 1868 * 255 \ 2131 = 223
    EXPECT_EQ(g.at(0, 0), 0u);
}

// Middle-out puts c1 at both ends of the run: the corner with index 0 is
// exactly c1 and the far corner within a few ramp steps of it, whatever the
// quadrant swaps did on the way.
TEST(Gradient, MiddleOutKeepsTheFirstColourAtTheEndsForWholeAngles)
{
    for (int angle = 0; angle <= 360; ++angle) {
        const GradientImage g = build(37, 23, kRedRef, kBlueRef, float(angle), true);
        int exact = 0, nearlyRed = 0;
        for (std::uint32_t p : { g.at(0, 0), g.at(36, 0), g.at(0, 22), g.at(36, 22) }) {
            exact += p == kRed;
            nearlyRed += (p >> 16) >= 0xE0 && (p & 0xFF) <= 0x20;
        }
        EXPECT_GE(exact, 1) << angle;
        EXPECT_GE(nearlyRed, 2) << angle;
    }
}

TEST(Gradient, RefusedSizesLeaveThePreviousImage)
{
    GradientImage g = build(4, 3, kRedRef, kBlueRef, 90.0f, false);
    const std::vector<std::uint32_t> before = g.bits;
    EXPECT_EQ(BuildGradient(g, 0, 10, kRedRef, kBlueRef, 90.0f, false), GradientResult::Skipped);
    EXPECT_EQ(BuildGradient(g, 10, -3, kRedRef, kBlueRef, 90.0f, false), GradientResult::Skipped);
    EXPECT_EQ(BuildGradient(g, 46341, 1, kRedRef, kBlueRef, 90.0f, false), GradientResult::Overflow);
    EXPECT_EQ(BuildGradient(g, 20000, 20000, kRedRef, kBlueRef, 90.0f, false), GradientResult::Overflow);
    EXPECT_EQ(BuildGradient(g, 8, 8, kRedRef, kBlueRef, std::nanf(""), false), GradientResult::Overflow);
    EXPECT_EQ(BuildGradient(g, 8, 8, kRedRef, kBlueRef, INFINITY, false), GradientResult::Overflow);
    EXPECT_EQ(g.width, 4);
    EXPECT_EQ(g.bits, before);
    // Huge but finite angles still land in 0..359.
    EXPECT_EQ(BuildGradient(g, 8, 8, kRedRef, kBlueRef, 3.0e38f, true), GradientResult::Built);
}

TEST(Gradient, ColourTableOrder)
{
    // Five steps red -> blue; middle-out takes 0, 2, 4 then 3, 1.
    const auto ramp = GradientColourTable(5, kRedRef, kBlueRef, false);
    const auto folded = GradientColourTable(5, kRedRef, kBlueRef, true);
    ASSERT_EQ(ramp.size(), 5u);
    EXPECT_EQ(ramp[1], 0xC0003Fu); // 255 - 255 \ 4 = 192, 63
    EXPECT_EQ(folded, (std::vector<std::uint32_t> { ramp[0], ramp[2], ramp[4], ramp[3], ramp[1] }));
}
