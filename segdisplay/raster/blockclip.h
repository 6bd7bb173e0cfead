// Internal: clipping of a block transfer to its destination and source.
#pragma once

#include <algorithm>
#include <cstdint>

namespace segraster {

inline constexpr std::uint32_t kOpaque = 0xFF000000u;

// Destination (dx, dy), source (sx, sy), size w x h.
struct Block {
    int dx, dy, sx, sy, w, h;
};

// Clips the block to a destination of dstW x dstH and a source of srcW x srcH;
// false when nothing is left. 64-bit so that extreme coordinates cannot overflow.
inline bool clipBlock(Block& b, int dstW, int dstH, int srcW, int srcH)
{
    auto clipAxis = [](int& d, int& s, int& len, int dLimit, int sLimit) {
        long long dd = d, ss = s, ll = len;
        const long long shift = std::max({ 0LL, -dd, -ss });
        dd += shift;
        ss += shift;
        ll = std::min({ ll - shift, dLimit - dd, sLimit - ss });
        if (ll <= 0)
            return false;
        d = int(dd);
        s = int(ss);
        len = int(ll);
        return true;
    };
    return clipAxis(b.dx, b.sx, b.w, dstW, srcW) && clipAxis(b.dy, b.sy, b.h, dstH, srcH);
}

} // namespace segraster
