// Pixel-exact regions: sets of whole pixels kept as sorted, merged spans per row.
//
// The segment display builds every shape it paints (segments, marks, the window
// outline and the border ring) as a region and must hit exactly the pixels the
// original drawing layer hit, so the constructors below reproduce that layer's
// rules: half-open rectangles with inverted boxes swapped, polygons filled by the
// non-zero winding rule without the pixels on their right and bottom edges, and
// ellipses inscribed in a box whose right column and bottom row are dropped.
//
// Coordinates are plain ints. Anything a constructor produces is clipped to
// [-kCoordLimit, kCoordLimit) on both axes, so a hostile size (a segment a
// billion pixels long) yields a bounded region instead of an unbounded
// allocation; pixels moved beyond that box are dropped. Every real drawing surface is
// far smaller than that box.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace segraster {

// Largest magnitude of a coordinate a region keeps (see above).
inline constexpr int kCoordLimit = 1 << 15;

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// Half-open box: left <= x < right, top <= y < bottom.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool isEmpty() const { return right <= left || bottom <= top; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct Span {
    int x0 = 0; // first pixel
    int x1 = 0; // one past the last pixel
    friend bool operator==(const Span&, const Span&) = default;
};

enum class CombineOp { And, Or, Diff, Xor };

class Region {
public:
    // One row of the region: its spans are sorted, disjoint and not touching.
    struct Row {
        int y = 0;
        std::span<const Span> spans;
    };

    Region() = default;

    // Pixels left <= x < right, top <= y < bottom; a box with right < left or
    // bottom < top has the two values swapped first (so (0,0,-2,-2) covers
    // x,y in -2..-1). A box of zero width or height is empty.
    static Region fromRect(int left, int top, int right, int bottom);
    static Region fromRect(const Rect& r) { return fromRect(r.left, r.top, r.right, r.bottom); }

    // Closed polygon (the last vertex joins the first; a repeated closing
    // vertex is harmless), non-zero winding fill, leaving out the pixels on its
    // right and bottom edges (the exact pixel rule is described in
    // polygonfill.cpp). Fewer than three vertices or a degenerate outline give
    // an empty region.
    static Region fromPolygon(std::span<const Point> vertices);

    // Ellipse inscribed in the box: the box is normalised like fromRect, its
    // right column and bottom row are dropped, and when what remains is under
    // 2 pixels wide or high the result is that (normalised) rectangle.
    static Region fromEllipse(int left, int top, int right, int bottom);

    // Builds a region from rows given as [y, x0, x1, x0, x1, ...] (rows in any
    // order, spans may overlap): the format of the reference pixel sets.
    static Region fromRowList(const std::vector<std::vector<int>>& rows);

    static Region combine(const Region& a, const Region& b, CombineOp op);
    Region united(const Region& o) const { return combine(*this, o, CombineOp::Or); }
    Region intersected(const Region& o) const { return combine(*this, o, CombineOp::And); }
    Region subtracted(const Region& o) const { return combine(*this, o, CombineOp::Diff); }
    Region xored(const Region& o) const { return combine(*this, o, CombineOp::Xor); }

    // Moves every pixel by (dx, dy); pixels that would leave the coordinate
    // box are dropped. To paint a cached shape elsewhere, prefer the offset
    // arguments of the Surface calls, which copy nothing.
    void offset(int dx, int dy);
    Region translated(int dx, int dy) const;

    bool contains(int x, int y) const;
    bool isEmpty() const { return m_rows.empty(); }
    // Smallest box holding every pixel; all zero for an empty region.
    Rect boundingRect() const;
    std::int64_t pixelCount() const;

    // The pixels a one-pixel frame of the region paints: the region minus the
    // intersection of its four diagonal one-pixel shifts, i.e. every pixel
    // that does not have all four diagonal neighbours inside the region.
    Region frame1px() const;

    int rowCount() const { return static_cast<int>(m_rows.size()); }
    Row row(int i) const;

    // Calls f(y, x0, x1) for every span, rows ascending, spans left to right.
    template <typename F> void forEachSpan(F&& f) const
    {
        for (const RowIndex& r : m_rows)
            for (std::uint32_t i = r.first; i < r.first + r.count; ++i)
                f(r.y, m_spans[i].x0, m_spans[i].x1);
    }

    // [y, x0, x1, ...] per row, the reference sets' format (for tests and dumps).
    std::vector<std::vector<int>> toRowList() const;

    friend bool operator==(const Region& a, const Region& b);

private:
    struct RowIndex {
        int y = 0;
        std::uint32_t first = 0;
        std::uint32_t count = 0;
    };
    friend class RegionBuilder;

    std::vector<RowIndex> m_rows;
    std::vector<Span> m_spans;
};

} // namespace segraster
