#include "digitlayout.h"

#include "valuetext.h"

#include <limits>

int32_t fit32(int64_t value)
{
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
        throw DisplayOverflow("display position out of range");
    return static_cast<int32_t>(value);
}

bool cellSize(int32_t style, const SegmentMetrics& m, int32_t& cellW, int32_t& cellH)
{
    const int64_t H = m.H, W = m.W, G = m.G;
    switch (SegmentShape(style)) {
    case SegmentShape::Hexagonal:
        cellW = fit32(H + W + 2 * G);
        cellH = fit32(2 * H + W + 4 * G);
        return true;
    case SegmentShape::Trapezoidal:
        cellW = fit32(H + 2 * G);
        cellH = fit32(2 * H + 4 * G);
        return true;
    case SegmentShape::Rectangular:
        cellW = fit32(H + 2 * W + 2 * G - 3);
        cellH = fit32(2 * H + 3 * W + 4 * G - 4);
        return true;
    default:
        return false;
    }
}

namespace {

// A place as factors of the cell's metrics: value = X (or Y) + h*H + w*W +
// g*G + w2*(W\2) + c. One row per segment a..g.
struct PlaceTerm {
    int h, w, g, w2, c;
};
struct PlaceRow {
    int shape;
    PlaceTerm x, y;
};

constexpr std::array<std::array<PlaceRow, 7>, 3> kPlaces = { {
    // hexagonal
    { {
        { 1, { 0, 0, 1, 1, 0 }, { 0, 0, 0, 0, 0 } }, // a
        { 0, { 1, 0, 2, 0, 0 }, { 0, 0, 1, 1, 0 } }, // b
        { 0, { 1, 0, 2, 0, 0 }, { 1, 0, 3, 1, 0 } }, // c
        { 1, { 0, 0, 1, 1, 0 }, { 2, 0, 4, 0, 0 } }, // d
        { 0, { 0, 0, 0, 0, 0 }, { 1, 0, 3, 1, 0 } }, // e
        { 0, { 0, 0, 0, 0, 0 }, { 0, 0, 1, 1, 0 } }, // f
        { 1, { 0, 0, 1, 1, 0 }, { 1, 0, 2, 0, 0 } }, // g
    } },
    // trapezoidal; the middle bar is a lying hexagon
    { {
        { 2, { 0, 0, 1, 0, 0 }, { 0, 0, 0, 0, 0 } }, // a
        { 3, { 1, -1, 2, 0, 0 }, { 0, 0, 1, 0, 0 } }, // b
        { 3, { 1, -1, 2, 0, 0 }, { 1, 0, 3, 0, 0 } }, // c
        { 4, { 0, 0, 1, 0, 0 }, { 2, -1, 4, 0, 0 } }, // d
        { 5, { 0, 0, 0, 0, 0 }, { 1, 0, 3, 0, 0 } }, // e
        { 5, { 0, 0, 0, 0, 0 }, { 0, 0, 1, 0, 0 } }, // f
        { 1, { 0, 0, 1, 0, 0 }, { 1, 0, 2, -1, 0 } }, // g
    } },
    // rectangular
    { {
        { 7, { 0, 1, 1, 0, -1 }, { 0, 0, 0, 0, 0 } }, // a
        { 6, { 1, 1, 2, 0, -2 }, { 0, 1, 1, 0, -1 } }, // b
        { 6, { 1, 1, 2, 0, -2 }, { 1, 2, 3, 0, -3 } }, // c
        { 7, { 0, 1, 1, 0, -1 }, { 2, 2, 4, 0, -4 } }, // d
        { 6, { 0, 0, 0, 0, 0 }, { 1, 2, 3, 0, -3 } }, // e
        { 6, { 0, 0, 0, 0, 0 }, { 0, 1, 1, 0, -1 } }, // f
        { 7, { 0, 1, 1, 0, -1 }, { 1, 1, 2, 0, -2 } }, // g
    } },
} };

int32_t evalTerm(int32_t origin, const PlaceTerm& t, const SegmentMetrics& m)
{
    return fit32(int64_t(origin) + int64_t(t.h) * m.H + int64_t(t.w) * m.W + int64_t(t.g) * m.G
        + int64_t(t.w2) * (m.W / 2) + t.c);
}

} // namespace

std::array<SegmentPlace, 7> segmentPlaces(int32_t style, int32_t X, int32_t Y, const SegmentMetrics& m)
{
    std::array<SegmentPlace, 7> out {};
    const auto& rows = kPlaces.at(static_cast<size_t>(style));
    for (size_t k = 0; k < 7; ++k)
        out[k] = { rows[k].shape, evalTerm(X, rows[k].x, m), evalTerm(Y, rows[k].y, m) };
    return out;
}

MarkPos markPosition(int32_t separator, int32_t cellX, const MarkGeometry& g)
{
    const int64_t W = g.m.W;
    if (separator == 0)
        return { fit32(int64_t(cellX) + g.cellW - W), fit32(int64_t(g.yOffset) + g.cellH - W - 1) };
    const int64_t lower = g.segmentStyle == int32_t(SegmentShape::Rectangular) ? 1 : 0;
    return { fit32(int64_t(cellX) + g.cellW + g.interDigitGap / 2 - W / 2),
        fit32(int64_t(g.yOffset) + g.cellH - W + 1 - lower) };
}

ColonPosition colonPosition(int32_t cellX, const MarkGeometry& g)
{
    const int64_t y1 = int64_t(g.yOffset) + g.m.H / 2 + g.m.W / 2;
    return { fit32(int64_t(cellX) + g.cellW + g.interDigitGap / 2 - g.m.W / 2 + 1), fit32(y1),
        fit32(y1 + g.m.H) };
}

SegmentMetrics mainMetrics(const DisplayProperties& p)
{
    return { p.SegmentHeight, p.SegmentWidth, p.InterSegmentGap };
}

SegmentMetrics expMetrics(const DisplayProperties& p)
{
    return { p.SegmentHeightExp, p.SegmentWidthExp, p.InterSegmentGapExp };
}

DigitLayout layoutDigits(const DisplayProperties& p, const DigitLayout& previous)
{
    DigitLayout out = previous;
    cellSize(p.SegmentStyle, mainMetrics(p), out.CellWidth, out.CellHeight);
    cellSize(p.SegmentStyleExp, expMetrics(p), out.CellWidthExp, out.CellHeightExp);
    const int64_t border = p.BorderWidth;
    const int count = drawnDigits(p.NumDigits);
    const int countExp = drawnDigitsExp(p.NumDigitsExp);
    const int64_t step = int64_t(out.CellWidth) + p.InterDigitGap;
    const int64_t stepExp = int64_t(out.CellWidthExp) + p.InterDigitGapExp;
    layoutRow(out.DigitX, count, border + p.XOffset, step);
    layoutRow(out.DigitXExp, countExp, border + p.XOffsetExp, stepExp);
    // The marks sit one cell and one gap beyond the last left edge.
    fit32(int64_t(out.DigitX[size_t(count - 1)]) + step + out.CellWidth);
    fit32(int64_t(p.YOffset) + out.CellHeight + 1);
    return out;
}
