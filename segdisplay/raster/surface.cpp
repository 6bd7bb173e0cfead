#include "surface.h"

#include "blockclip.h"

#include <algorithm>
#include <cstring>

namespace segraster {

namespace {

    // Calls f(y, x0, x1) for each span of the region moved by (dx, dy) and
    // clipped to a w x h area; 64-bit so that any offset is safe.
    template <typename F>
    void forEachPlacedSpan(const Region& region, int dx, int dy, long long w, long long h, F&& f)
    {
        region.forEachSpan([&](int y, int x0, int x1) {
            const long long yy = (long long)y + dy;
            if (yy < 0 || yy >= h)
                return;
            const long long a = std::max<long long>((long long)x0 + dx, 0);
            const long long b = std::min<long long>((long long)x1 + dx, w);
            if (a < b)
                f(int(yy), int(a), int(b));
        });
    }

} // namespace

std::uint32_t pixelFromColorRef(std::uint32_t c)
{
    return kOpaque | (c & 0xFFu) << 16 | (c & 0xFF00u) | (c >> 16 & 0xFFu);
}

Surface::Surface(int width, int height)
{
    resize(width, height);
}

bool Surface::resize(int width, int height)
{
    m_image = QImage();
    if (width < 1 || height < 1 || width > kMaxSurfaceSide || height > kMaxSurfaceSide
        || std::int64_t(width) * height > kMaxSurfacePixels)
        return false;
    m_image = QImage(width, height, QImage::Format_RGB32);
    if (m_image.isNull())
        return false;
    m_image.fill(kOpaque);
    return true;
}

std::uint32_t* Surface::line(int y)
{
    return reinterpret_cast<std::uint32_t*>(m_image.scanLine(y));
}

const std::uint32_t* Surface::scanLine(int y) const
{
    return reinterpret_cast<const std::uint32_t*>(m_image.constScanLine(y));
}

std::uint32_t Surface::pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return 0;
    return scanLine(y)[x];
}

void Surface::setPixel(int x, int y, std::uint32_t argb)
{
    if (x >= 0 && y >= 0 && x < width() && y < height())
        line(y)[x] = argb | kOpaque;
}

void Surface::fill(const Region& region, std::uint32_t colorRef, int dx, int dy)
{
    const std::uint32_t p = pixelFromColorRef(colorRef);
    forEachPlacedSpan(region, dx, dy, width(), height(),
        [&](int y, int x0, int x1) { std::fill(line(y) + x0, line(y) + x1, p); });
}

void Surface::frame(const Region& region, std::uint32_t colorRef, int dx, int dy)
{
    fill(region.frame1px(), colorRef, dx, dy);
}

void Surface::fillRect(const Rect& r, std::uint32_t colorRef)
{
    const int l = std::max(r.left, 0), t = std::max(r.top, 0);
    const int rr = std::min(r.right, width()), b = std::min(r.bottom, height());
    const std::uint32_t p = pixelFromColorRef(colorRef);
    for (int y = t; y < b && l < rr; ++y)
        std::fill(line(y) + l, line(y) + rr, p);
}

void Surface::blit(int dx, int dy, int w, int h, const Surface& src, int sx, int sy)
{
    Block b { dx, dy, sx, sy, w, h };
    if (isNull() || src.isNull() || !clipBlock(b, width(), height(), src.width(), src.height()))
        return;
    const bool sameSurface = &src == this;
    const bool upward = sameSurface && b.dy > b.sy;
    for (int i = 0; i < b.h; ++i) {
        const int row = upward ? b.h - 1 - i : i;
        std::memmove(line(b.dy + row) + b.dx, src.scanLine(b.sy + row) + b.sx, std::size_t(b.w) * 4);
    }
}

void Surface::copyInRegion(const Surface& src, const Region& clip, int dx, int dy)
{
    if (&src == this)
        return;
    forEachPlacedSpan(clip, dx, dy, std::min(width(), src.width()), std::min(height(), src.height()),
        [&](int y, int x0, int x1) {
            std::memcpy(line(y) + x0, src.scanLine(y) + x0, std::size_t(x1 - x0) * 4);
        });
}

} // namespace segraster
