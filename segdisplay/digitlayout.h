// Geometry of the digit cells: cell sizes per segment style, the left edge
// of every cell, where each segment of a cell goes and where the marks go.
// Pure arithmetic; positions that would not fit 32 bits are refused.
#pragma once

#include "displayproperties.h"

#include <array>
#include <cstdint>
#include <stdexcept>

// A drawing step refused because its arithmetic would overflow.
class DisplayOverflow : public std::overflow_error {
public:
    using std::overflow_error::overflow_error;
};

// Checked narrowing of an intermediate result to a 32-bit position.
int32_t fit32(int64_t value);

// A size handed to the shape builders: far beyond any surface, yet small
// enough that the builders' own arithmetic cannot overflow. Larger values
// draw as the limit.
inline int shapeExtent(int64_t value)
{
    constexpr int64_t kLimit = int64_t(1) << 20;
    return static_cast<int>(value < -kLimit ? -kLimit : (value > kLimit ? kLimit : value));
}

// Segment sizes of one row (main value or exponent).
struct SegmentMetrics {
    int32_t H = 0; // segment length
    int32_t W = 0; // segment thickness
    int32_t G = 0; // gap between segments
};

// Cell size for a style; false for a style that has no cell table.
bool cellSize(int32_t style, const SegmentMetrics& m, int32_t& cellW, int32_t& cellH);

// Left edges of `count` cells starting at `first`, `step` apart.
template <size_t N> void layoutRow(std::array<int32_t, N>& xs, int count, int64_t first, int64_t step)
{
    for (int i = 0; i < count && i < static_cast<int>(N); ++i)
        xs[static_cast<size_t>(i)] = fit32(first + step * i);
}

// One segment of a cell: which shape of the set, and where its origin goes.
struct SegmentPlace {
    int shape;
    int32_t x;
    int32_t y;
};

// The seven segment places (a..g) of a cell at (X, Y) in a style 0..2.
std::array<SegmentPlace, 7> segmentPlaces(int32_t style, int32_t X, int32_t Y, const SegmentMetrics& m);

// Geometry the marks depend on.
struct MarkGeometry {
    int32_t cellW = 0;
    int32_t cellH = 0;
    int32_t interDigitGap = 0;
    int32_t yOffset = 0;
    int32_t segmentStyle = 0;
    SegmentMetrics m;
};

struct MarkPos {
    int32_t x;
    int32_t y;
};

// Top-left of a decimal or thousands mark after the cell whose left edge is
// cellX; `separator` 0 is a comma stroke, anything else a square dot.
MarkPos markPosition(int32_t separator, int32_t cellX, const MarkGeometry& g);

// The two colon dots after the cell at cellX (both share x).
struct ColonPosition {
    int32_t x;
    int32_t y1;
    int32_t y2;
};
ColonPosition colonPosition(int32_t cellX, const MarkGeometry& g);

// Cell sizes and left edges of both rows, as LayoutDigits computes them.
struct DigitLayout {
    int32_t CellWidth = 0;
    int32_t CellHeight = 0;
    int32_t CellWidthExp = 0;
    int32_t CellHeightExp = 0;
    std::array<int32_t, 50> DigitX {};
    std::array<int32_t, 5> DigitXExp {};
};

// The layout for the given properties; a style without a cell table keeps
// the previous cell size. Throws DisplayOverflow when a position would not
// fit 32 bits.
DigitLayout layoutDigits(const DisplayProperties& p, const DigitLayout& previous);

SegmentMetrics mainMetrics(const DisplayProperties& p);
SegmentMetrics expMetrics(const DisplayProperties& p);
