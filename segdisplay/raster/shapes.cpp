#include "shapes.h"

#include <algorithm>
#include <array>

namespace segraster {

namespace {

    // Vertex coordinates are computed in 64 bits and held to this range, so a
    // hostile size can neither overflow nor leave the polygon filler's range.
    constexpr long long kVertexRange = 1LL << 30;

    Point pt(long long x, long long y)
    {
        return { static_cast<int>(std::clamp(x, -kVertexRange, kVertexRange)),
            static_cast<int>(std::clamp(y, -kVertexRange, kVertexRange)) };
    }

    int clampInt(long long v)
    {
        return static_cast<int>(std::clamp(v, -kVertexRange, kVertexRange));
    }

    // Thickness of a hexagon: at least 4, rounded down to even.
    long long hexThickness(long long size)
    {
        const long long t = std::max(size, 4LL);
        return t - (t % 2);
    }

    Region polygon(const std::vector<Point>& v)
    {
        return Region::fromPolygon(v);
    }

    // Entries 0..7 of a shape set: which builder, with which size order and slants.
    enum class Builder { Hexagon, Trapezoid, UprightRect, LyingRect };
    struct EntryRecipe {
        Builder builder;
        bool lengthFirst; // argument order (H, W) rather than (W, H)
        int p, q;
    };
    constexpr std::array<EntryRecipe, 8> kEntries { {
        { Builder::Hexagon, false, 0, 0 }, // 0 MakeHexagon(W, H)
        { Builder::Hexagon, true, 0, 0 }, // 1 MakeHexagon(H, W)
        { Builder::Trapezoid, true, 1, 1 }, // 2 top: wide edge on top
        { Builder::Trapezoid, false, -1, -1 }, // 3 right: wide edge on the right
        { Builder::Trapezoid, true, -1, -1 }, // 4 bottom: wide edge at the bottom
        { Builder::Trapezoid, false, 1, 1 }, // 5 left: wide edge on the left
        { Builder::UprightRect, false, 0, 0 }, // 6
        { Builder::LyingRect, false, 0, 0 }, // 7
    } };

    // One corner of the rounded outline: its anchor is (left or right, top or
    // bottom) and its square and ellipse box grow from there inward by sx, sy.
    struct CornerRecipe {
        bool right, bottom;
    };
    constexpr std::array<CornerRecipe, 4> kCorners { {
        { false, false }, // top-left
        { true, false }, // top-right
        { false, true }, // bottom-left
        { true, true }, // bottom-right
    } };

    Region cutCorner(const Region& shape, long long ax, long long ay, const CornerRecipe& c, long long curve)
    {
        const long long sx = c.right ? -1 : 1, sy = c.bottom ? -1 : 1;
        // A right or bottom anchor's ellipse box starts one pixel further out,
        // because the ellipse drops the box's last column and row.
        const long long ex = c.right ? 1 : 0, ey = c.bottom ? 1 : 0;
        const Region square = Region::fromRect(
            clampInt(ax), clampInt(ay), clampInt(ax + sx * curve), clampInt(ay + sy * curve));
        const Region ellipse = Region::fromEllipse(clampInt(ax + ex), clampInt(ay + ey),
            clampInt(ax + sx * 2 * curve + ex), clampInt(ay + sy * 2 * curve + ey));
        return shape.subtracted(square.subtracted(ellipse));
    }

} // namespace

std::vector<Point> MakeHexagon(int w, int h)
{
    if (h > w) {
        const long long t = hexThickness(w), m = t / 2;
        return { pt(m, h), pt(t, (long long)h - m), pt(t, m - 1), pt(m, -1), pt(m - 1, 0), pt(0, m - 1),
            pt(0, (long long)h - m), pt(m, h) };
    }
    const long long t = hexThickness(h), m = t / 2;
    return { pt(0, m), pt(m, t), pt((long long)w - m, t), pt(w, m), pt(w, m - 1), pt((long long)w - m + 1, 0),
        pt(m - 1, 0), pt(0, m - 1) };
}

std::vector<Point> MakeTrapezoid(int a0, int b0, int p, int q)
{
    long long a = a0, b = b0;
    const bool sameSlant = p + q == 2 || p + q == -2;
    if (a > b) {
        if (sameSlant && a < 2 * b)
            b = a / 2;
        const Point v1 = pt(p < 0 ? b - 1 : 0, 0);
        return { v1, pt(p < 0 ? -1 : (p > 0 ? b : 0), b), pt(a + (q < 0 ? 1 : 0) - (q > 0 ? b : 0), b),
            pt(a + (q < 0 ? 1 : 0) - (q < 0 ? b : 0), 0), v1 };
    }
    if (sameSlant && b < 2 * a)
        a = b / 2;
    const Point v1 = pt(0, p < 0 ? a - 1 : (p > 0 ? -1 : 0));
    return { v1, pt(0, b - (q < 0 ? a : 0)), pt(a, b - (q > 0 ? a : 0)),
        pt(a, p < 0 ? -1 : (p > 0 ? a - 1 : 0)), v1 };
}

std::vector<Point> MakeCommaStroke(int H, int W, int Y0)
{
    const long long half = H / 2, top = (long long)Y0 - W, bottom = (long long)Y0 - W + H;
    return { pt(half, top), pt(half + W, top), pt(W, bottom), pt(0, bottom) };
}

Rect MakeUprightRect(int H, int W)
{
    return { 0, 0, clampInt((long long)W - 1), clampInt((long long)H - 1) };
}
Rect MakeLyingRect(int H, int W)
{
    return { 0, 0, clampInt((long long)H - 1), clampInt((long long)W - 1) };
}
Rect MakeSquareDot(int W)
{
    return { 0, 0, clampInt((long long)W - 1), clampInt((long long)W - 1) };
}

Region MakeSegmentShape(int entry, int H, int W)
{
    if (entry < 0 || entry >= static_cast<int>(kEntries.size()))
        return {};
    const EntryRecipe& e = kEntries[static_cast<std::size_t>(entry)];
    const int first = e.lengthFirst ? H : W;
    const int second = e.lengthFirst ? W : H;
    switch (e.builder) {
    case Builder::Hexagon:
        return polygon(MakeHexagon(first, second));
    case Builder::Trapezoid:
        return polygon(MakeTrapezoid(first, second, e.p, e.q));
    case Builder::UprightRect:
        return Region::fromRect(MakeUprightRect(H, W));
    case Builder::LyingRect:
        return Region::fromRect(MakeLyingRect(H, W));
    }
    return {};
}

std::optional<Region> MakeMarkShape(int separator, int H, int W, int Y0)
{
    if (separator == 0)
        return polygon(MakeCommaStroke(H, W, Y0));
    if (separator == 1)
        return Region::fromRect(MakeSquareDot(W));
    return std::nullopt;
}

Region MakeRoundedRegion(int left, int top, int right, int bottom, int tl, int tr, int bl, int br)
{
    Region shape = Region::fromRect(left, top, right, bottom);
    const std::array<long long, 4> curves { tl, tr, bl, br };
    for (std::size_t i = 0; i < kCorners.size(); ++i) {
        const CornerRecipe& c = kCorners[i];
        shape = cutCorner(shape, c.right ? right : left, c.bottom ? bottom : top, c, curves[i]);
    }
    return shape;
}

Region MakeBorderRing(int w, int h, int B, int tl, int tr, int bl, int br)
{
    const Region outer = MakeRoundedRegion(0, 0, w, h, tl, tr, bl, br);
    const long long far = (long long)w - B, low = (long long)h - B;
    const Region inner = MakeRoundedRegion(B, B, clampInt(far), clampInt(low), tl, tr, bl, br);
    return outer.subtracted(inner);
}

} // namespace segraster
