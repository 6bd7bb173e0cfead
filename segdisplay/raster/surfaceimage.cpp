// Image transfers onto a surface: gradient buffers, pictures at natural size,
// stretched and tiled.
#include "surface.h"

#include "blockclip.h"

#include <algorithm>
#include <cstring>

namespace segraster {

namespace {

    QImage asRgb32(const QImage& src)
    {
        return src.format() == QImage::Format_RGB32 ? src : src.convertToFormat(QImage::Format_RGB32);
    }

    int floorMod(long long v, int m)
    {
        const long long r = v % m;
        return static_cast<int>(r < 0 ? r + m : r);
    }

} // namespace

void Surface::drawBottomUpBits(
    int dx, int dy, int w, int h, const std::uint32_t* bits, int bw, int bh, int sx, int sy)
{
    if (bits == nullptr || bw < 1 || bh < 1 || isNull())
        return;
    Block b { dx, dy, sx, sy, w, h };
    if (!clipBlock(b, width(), height(), bw, bh))
        return;
    for (int i = 0; i < b.h; ++i) {
        const std::uint32_t* from = bits + std::size_t(bh - 1 - (b.sy + i)) * std::size_t(bw) + b.sx;
        std::uint32_t* to = line(b.dy + i) + b.dx;
        for (int x = 0; x < b.w; ++x)
            to[x] = from[x] | kOpaque;
    }
}

void Surface::stretchBlit(const Rect& dst, const QImage& src, const Rect& srcRect)
{
    const long long dw = (long long)dst.right - dst.left, dh = (long long)dst.bottom - dst.top;
    const long long sw = (long long)srcRect.right - srcRect.left,
                    sh = (long long)srcRect.bottom - srcRect.top;
    // Sizes beyond 2^30 are no picture anyone stretches; refusing them keeps
    // offset x size (below 2^32 x 2^30) inside 64 bits.
    constexpr long long kLimit = 1LL << 30;
    if (isNull() || src.isNull() || dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0 || dw > kLimit || dh > kLimit
        || sw > kLimit || sh > kLimit)
        return;
    const QImage img = asRgb32(src);
    const int x0 = std::max(dst.left, 0), x1 = std::min(dst.right, width());
    const int y0 = std::max(dst.top, 0), y1 = std::min(dst.bottom, height());
    for (int y = y0; y < y1; ++y) {
        const long long syy = srcRect.top + ((long long)y - dst.top) * sh / dh;
        if (syy < 0 || syy >= img.height())
            continue;
        const auto* from = reinterpret_cast<const std::uint32_t*>(img.constScanLine(int(syy)));
        std::uint32_t* to = line(y);
        for (int x = x0; x < x1; ++x) {
            const long long sxx = srcRect.left + ((long long)x - dst.left) * sw / dw;
            if (sxx >= 0 && sxx < img.width())
                to[x] = from[sxx] | kOpaque;
        }
    }
}

void Surface::fillTiled(const Rect& r, const QImage& pattern, int originX, int originY)
{
    if (isNull() || pattern.isNull())
        return;
    const QImage img = asRgb32(pattern);
    const int pw = img.width(), ph = img.height();
    const int x0 = std::max(r.left, 0), x1 = std::min(r.right, width());
    const int y0 = std::max(r.top, 0), y1 = std::min(r.bottom, height());
    for (int y = y0; y < y1; ++y) {
        const auto* from
            = reinterpret_cast<const std::uint32_t*>(img.constScanLine(floorMod((long long)y - originY, ph)));
        std::uint32_t* to = line(y);
        int px = floorMod((long long)x0 - originX, pw);
        for (int x = x0; x < x1; ++x) {
            to[x] = from[px] | kOpaque;
            if (++px == pw)
                px = 0;
        }
    }
}

void Surface::drawImage(int x, int y, const QImage& src)
{
    if (isNull() || src.isNull())
        return;
    const QImage img = asRgb32(src);
    const long long sx = std::max(0LL, -(long long)x), sy = std::max(0LL, -(long long)y);
    const long long w = std::min<long long>(img.width() - sx, width() - (x + sx));
    const long long h = std::min<long long>(img.height() - sy, height() - (y + sy));
    for (long long i = 0; i < h && w > 0; ++i) {
        const auto* from = reinterpret_cast<const std::uint32_t*>(img.constScanLine(int(sy + i))) + sx;
        std::memcpy(line(int(y + sy + i)) + (x + sx), from, std::size_t(w) * 4);
    }
}

} // namespace segraster
