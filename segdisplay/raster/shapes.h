// The shapes of the segment display: segment polygons and rectangles, the two
// marks, and the rounded outline of the control. All are built at the origin;
// the display moves them to a cell only while painting.
//
// H is the segment length, W its thickness, Y0 the vertical offset of the comma
// stroke below the point where it is placed. Sizes are not validated: zero or
// negative sizes give the (possibly empty) regions their vertex lists define,
// and huge sizes stay bounded by the region's coordinate limit.
#pragma once

#include "region.h"

#include <optional>
#include <vector>

namespace segraster {

// The ten entries of a shape set.
enum ShapeEntry : int {
    kHexUpright = 0, // style 0 b, c, e, f
    kHexLying = 1, // style 0 a, d, g; style 1 g
    kTrapTop = 2, // style 1 a
    kTrapRight = 3, // style 1 b, c
    kTrapBottom = 4, // style 1 d
    kTrapLeft = 5, // style 1 e, f
    kRectUpright = 6, // style 2 b, c, e, f
    kRectLying = 7, // style 2 a, d, g
    kDecimalMark = 8, // decimal mark and colon dots
    kThousandsMark = 9 // thousands marks
};
inline constexpr int kShapeEntries = 10;

// Pointed bar of 8 vertices in a w x h box: upright when h > w, lying
// otherwise; never thinner than 4 pixels, thickness rounded down to even.
std::vector<Point> MakeHexagon(int w, int h);

// Five vertices (the last repeats the first). Lying when a > b (length a,
// thickness b), upright otherwise (thickness a, length b); p and q (+1 / -1)
// choose which way the two ends slant. When both slant the same way and the
// bar is shorter than twice its thickness, the thickness is halved (length \ 2).
std::vector<Point> MakeTrapezoid(int a, int b, int p, int q);

// Comma stroke: W wide, H tall, slanting down to the left, its top Y0 - W
// below the placing point.
std::vector<Point> MakeCommaStroke(int H, int W, int Y0);

// The rectangles of entries 6 and 7 and the square dot.
Rect MakeUprightRect(int H, int W); // (0, 0, W - 1, H - 1)
Rect MakeLyingRect(int H, int W); // (0, 0, H - 1, W - 1)
Rect MakeSquareDot(int W); // (0, 0, W - 1, W - 1)

// Entry 0..7 of a shape set as a region (polygons with winding fill).
// Entries outside 0..7 give an empty region.
Region MakeSegmentShape(int entry, int H, int W);

// Entries 8 and 9: separator 0 is the comma stroke, 1 the square dot; any
// other value gives nullopt (the caller keeps the shape it had).
std::optional<Region> MakeMarkShape(int separator, int H, int W, int Y0);

// The control's outline: the rectangle (left, top, right, bottom) with its four
// corners cut, in the order top-left, top-right, bottom-left, bottom-right, each
// by the part of the corner square outside the ellipse of the corner's box
// (radius = the curve in pixels; 0 keeps a right angle). Used for the window
// shape (0, 0, w, h) and, minus the same outline inset by the border width,
// for the border ring.
Region MakeRoundedRegion(int left, int top, int right, int bottom, int tl, int tr, int bl, int br);

// outer minus MakeRoundedRegion(B, B, w - B, h - B, same curves).
Region MakeBorderRing(int w, int h, int B, int tl, int tr, int bl, int br);

} // namespace segraster
