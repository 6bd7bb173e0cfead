// Polygon regions with the non-zero winding rule.
//
// Pixel rule (it reproduces the reference pixel sets of every segment shape):
// pixel (x, y) belongs to the polygon when the point just to the right of its
// top-left corner, (x + e, y) for a vanishing e, has a non-zero winding number.
// Concretely, scanline y meets the edges whose y-range holds it half-open
// (y0 <= y < y1, so horizontal edges never count), each at the exact rational
// abscissa X; a crossing at X turns the winding on or off from pixel ceil(X)
// onwards. Pixels on the right and bottom edges therefore stay out, and the
// shape's one-pixel offsets in its vertex lists land where they must.
#include "region.h"

#include "regionbuilder.h"

#include <algorithm>

namespace segraster {

namespace {

    // Vertices are first held inside this box so that the products below fit in
    // 64 bits; anything of that size is far outside every drawable area anyway.
    constexpr long long kVertexLimit = 1LL << 28;

    struct Edge {
        long long x0, y0; // top end
        long long dx, dy; // dy > 0
        int dir; // +1 when the outline runs downward, -1 upward
    };

    struct Crossing {
        long long x;
        int dir;
    };

    long long ceilDiv(long long num, long long den)
    {
        // den > 0
        const long long q = num / den;
        return (num % den > 0) ? q + 1 : q;
    }

    std::vector<Edge> collectEdges(std::span<const Point> v)
    {
        std::vector<Edge> edges;
        const std::size_t n = v.size();
        for (std::size_t i = 0; i < n; ++i) {
            const Point& a = v[i];
            const Point& b = v[(i + 1) % n];
            long long ax = std::clamp<long long>(a.x, -kVertexLimit, kVertexLimit);
            long long ay = std::clamp<long long>(a.y, -kVertexLimit, kVertexLimit);
            long long bx = std::clamp<long long>(b.x, -kVertexLimit, kVertexLimit);
            long long by = std::clamp<long long>(b.y, -kVertexLimit, kVertexLimit);
            if (ay == by)
                continue;
            int dir = 1;
            if (by < ay) {
                std::swap(ax, bx);
                std::swap(ay, by);
                dir = -1;
            }
            edges.push_back({ ax, ay, bx - ax, by - ay, dir });
        }
        std::sort(edges.begin(), edges.end(), [](const Edge& p, const Edge& q) { return p.y0 < q.y0; });
        return edges;
    }

    // Emits the spans of one scanline from its crossings (sorted by x).
    void emitRow(std::vector<Crossing>& crossings, RegionBuilder& out)
    {
        std::sort(crossings.begin(), crossings.end(),
            [](const Crossing& a, const Crossing& b) { return a.x < b.x; });
        int winding = 0;
        long long start = 0;
        for (const Crossing& c : crossings) {
            const int before = winding;
            winding += c.dir;
            if (before == 0 && winding != 0)
                start = c.x;
            else if (before != 0 && winding == 0)
                out.addSpan(clampCoord(start), clampCoord(c.x));
        }
    }

} // namespace

Region Region::fromPolygon(std::span<const Point> vertices)
{
    if (vertices.size() < 3)
        return {};
    const std::vector<Edge> edges = collectEdges(vertices);
    if (edges.empty())
        return {};
    long long yTop = edges.front().y0;
    long long yBottom = yTop;
    for (const Edge& e : edges)
        yBottom = std::max(yBottom, e.y0 + e.dy);
    yTop = std::max<long long>(yTop, -kCoordLimit);
    yBottom = std::min<long long>(yBottom, kCoordLimit);

    RegionBuilder out;
    std::vector<const Edge*> active;
    std::vector<Crossing> crossings;
    std::size_t next = 0;
    for (long long y = yTop; y < yBottom; ++y) {
        while (next < edges.size() && edges[next].y0 <= y)
            active.push_back(&edges[next++]);
        std::erase_if(active, [y](const Edge* e) { return e->y0 + e->dy <= y; });
        crossings.clear();
        for (const Edge* e : active)
            crossings.push_back({ e->x0 + ceilDiv((y - e->y0) * e->dx, e->dy), e->dir });
        out.beginRow(static_cast<int>(y));
        emitRow(crossings, out);
        out.endRow();
    }
    return out.take();
}

} // namespace segraster
