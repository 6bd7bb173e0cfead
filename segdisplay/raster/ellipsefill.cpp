// Elliptic regions.
//
// The box is normalised, its right column and bottom row are dropped, and a box
// then under 2 pixels wide or high gives that rectangle. Otherwise the outline
// is traced with an integer error-term (midpoint) walk over the lower half,
// from the middle row down to the tip: x steps outward while the error allows,
// and each step down records how far the row is inset from both sides. The
// upper half mirrors the lower one. This reproduces the reference pixel sets of
// the rounded corners exactly.
#include "region.h"

#include "regionbuilder.h"

#include <algorithm>
#include <vector>

namespace segraster {

namespace {

    // Inset from the left and right of the box for rows h/2 .. h-1 of a w x h
    // ellipse (w, h >= 2); index k is row h/2 + k.
    std::vector<long long> lowerHalfInsets(long long w, long long h)
    {
        const long long a = w - 1, b = h - 1;
        const long long asq = 8 * a * a, bsq = 8 * b * b;
        long long dx = 4 * b * b * (1 - a);
        long long dy = 4 * a * a * (1 + b % 2);
        long long err = dx + dy + a * a * (b % 2);

        const long long mid = h / 2;
        // Rows the walk never reaches (very narrow, tall ellipses) keep the middle column(s).
        std::vector<long long> inset(static_cast<std::size_t>(h - mid), (w - 1) / 2);
        inset[0] = 0;
        long long x = 0, y = 0;
        while (x <= w / 2) {
            const long long e2 = 2 * err;
            if (e2 >= dx) {
                ++x;
                dx += bsq;
                err += dx;
            }
            if (e2 <= dy) {
                ++y;
                dy += asq;
                err += dy;
                // Never inset past the middle: the tip row keeps its middle
                // pixel (two for an even width) instead of vanishing.
                if (y < static_cast<long long>(inset.size()))
                    inset[static_cast<std::size_t>(y)] = std::min(x, (w - 1) / 2);
            }
        }
        return inset;
    }

} // namespace

Region Region::fromEllipse(int left, int top, int right, int bottom)
{
    long long l = left, t = top, r = right, b = bottom;
    if (r < l)
        std::swap(l, r);
    if (b < t)
        std::swap(t, b);
    --r;
    --b;
    l = clampCoord(l);
    r = clampCoord(r);
    t = clampCoord(t);
    b = clampCoord(b);
    const long long w = r - l, h = b - t;
    if (w < 2 || h < 2)
        return fromRect(static_cast<int>(l), static_cast<int>(t), static_cast<int>(r), static_cast<int>(b));

    const std::vector<long long> inset = lowerHalfInsets(w, h);
    const long long mid = h / 2;
    RegionBuilder out;
    for (long long i = 0; i < h; ++i) {
        const long long k = (i >= mid ? i : h - 1 - i) - mid;
        const long long in = inset[static_cast<std::size_t>(k)];
        out.beginRow(static_cast<int>(t + i));
        out.addSpan(static_cast<int>(l + in), static_cast<int>(r - in));
        out.endRow();
    }
    return out.take();
}

} // namespace segraster
