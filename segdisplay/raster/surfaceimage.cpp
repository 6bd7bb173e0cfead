// Image transfers onto a surface: gradient buffers, pictures at natural size,
// stretched and tiled.
#include "surface.h"

#include <algorithm>
#include <cstring>

namespace segraster {

namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;

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

void Surface::drawBottomUpBits(int dx, int dy, int w, int h, const std::uint32_t* bits, int bw, int bh, int sx,
                               int sy)
{
    if (bits == nullptr || bw < 1 || bh < 1 || isNull())
        return;
    // Clip the block to both the surface and the picture.
    const int shiftX = std::max({ 0, -dx, -sx }), shiftY = std::max({ 0, -dy, -sy });
    dx += shiftX;
    sx += shiftX;
    w -= shiftX;
    dy += shiftY;
    sy += shiftY;
    h -= shiftY;
    w = std::min({ w, width() - dx, bw - sx });
    h = std::min({ h, height() - dy, bh - sy });
    for (int i = 0; i < h; ++i) {
        const std::uint32_t* from = bits + std::size_t(bh - 1 - (sy + i)) * std::size_t(bw) + sx;
        std::uint32_t* to = line(dy + i) + dx;
        for (int x = 0; x < w; ++x)
            to[x] = from[x] | kOpaque;
    }
}

void Surface::stretchBlit(const Rect& dst, const QImage& src, const Rect& srcRect)
{
    const int dw = dst.width(), dh = dst.height(), sw = srcRect.width(), sh = srcRect.height();
    if (isNull() || src.isNull() || dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0)
        return;
    const QImage img = asRgb32(src);
    const int x0 = std::max(dst.left, 0), x1 = std::min(dst.right, width());
    const int y0 = std::max(dst.top, 0), y1 = std::min(dst.bottom, height());
    for (int y = y0; y < y1; ++y) {
        const long long syy = srcRect.top + (long long)(y - dst.top) * sh / dh;
        if (syy < 0 || syy >= img.height())
            continue;
        const auto* from = reinterpret_cast<const std::uint32_t*>(img.constScanLine(int(syy)));
        std::uint32_t* to = line(y);
        for (int x = x0; x < x1; ++x) {
            const long long sxx = srcRect.left + (long long)(x - dst.left) * sw / dw;
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
        const auto* from = reinterpret_cast<const std::uint32_t*>(img.constScanLine(floorMod((long long)y - originY, ph)));
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
