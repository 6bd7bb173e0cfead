// A 32-bit drawing surface: the display's control surface and its background
// copy. Pixels are 0xAARRGGBB with alpha always 0xFF (QImage::Format_RGB32), so
// image() can be painted by a widget or saved without conversion.
//
// Colours given to the drawing calls are resolved RGB colour references
// 0x00BBGGRR (red in the low byte), the form colour translation returns; the
// top byte is ignored, so the failed translation -1 paints white.
//
// Every call clips to the surface; nothing reads or writes outside it. Sizes
// beyond kMaxSurfaceSide or kMaxSurfacePixels are refused (the surface stays
// empty), so a hostile size never allocates without bound.
#pragma once

#include "region.h"

#include <QImage>

#include <cstdint>

namespace segraster {

inline constexpr int kMaxSurfaceSide = 16384;
inline constexpr std::int64_t kMaxSurfacePixels = std::int64_t(1) << 25;

// 0x00BBGGRR colour reference -> 0xFFRRGGBB pixel.
std::uint32_t pixelFromColorRef(std::uint32_t colorRef);

class Surface {
public:
    Surface() = default;
    // A surface of w x h pixels, all black; an invalid or oversized request
    // gives an empty surface (isNull()).
    Surface(int width, int height);

    // Re-allocates to w x h (black); false when refused (surface left empty).
    bool resize(int width, int height);

    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }
    bool isNull() const { return m_image.isNull(); }
    Rect bounds() const { return { 0, 0, width(), height() }; }

    // 0xFFRRGGBB, or 0 outside the surface.
    std::uint32_t pixel(int x, int y) const;
    void setPixel(int x, int y, std::uint32_t argb);

    // Solid fill of the region moved by (dx, dy) (the region itself is not
    // touched, so a cached shape can be painted anywhere without copying it).
    void fill(const Region& region, std::uint32_t colorRef, int dx = 0, int dy = 0);
    // One-pixel frame along the inside of the region's border, moved likewise.
    void frame(const Region& region, std::uint32_t colorRef, int dx = 0, int dy = 0);
    // The half-open box; inverted boxes paint nothing (as a rectangle fill does).
    void fillRect(const Rect& r, std::uint32_t colorRef);

    // Copies the w x h block at (sx, sy) of src to (dx, dy) here, clipped to
    // both surfaces. src may be *this (overlapping blocks are handled).
    void blit(int dx, int dy, int w, int h, const Surface& src, int sx, int sy);
    // Copies the pixels of src that lie inside clip moved by (dx, dy), at the
    // same coordinates (src must be another surface).
    void copyInRegion(const Surface& src, const Region& clip, int dx = 0, int dy = 0);

    // Scales the block (sx, sy, sw, sh) of src onto (dx, dy, dw, dh) by
    // nearest-pixel replication (src is any QImage; it is read as RGB32).
    void stretchBlit(const Rect& dst, const QImage& src, const Rect& srcRect);

    // Draws a bottom-up buffer of 0x00RRGGBB pixels (the gradient's layout,
    // row 0 = bottom row) of bw x bh pixels: the block of the picture at
    // (sx, sy) measured from its top-left, w x h pixels, lands at (dx, dy).
    void drawBottomUpBits(
        int dx, int dy, int w, int h, const std::uint32_t* bits, int bw, int bh, int sx, int sy);

    // Fills the box with the pattern repeated so that pattern pixel (0, 0)
    // falls on (originX, originY) and every multiple of its size from there.
    void fillTiled(const Rect& r, const QImage& pattern, int originX, int originY);

    // Draws an image at its natural size with its top-left corner at (x, y).
    void drawImage(int x, int y, const QImage& src);

    const QImage& image() const { return m_image; }
    // Row pointer for fast readers; y must lie inside the surface.
    const std::uint32_t* scanLine(int y) const;

private:
    std::uint32_t* line(int y);
    QImage m_image;
};

} // namespace segraster
