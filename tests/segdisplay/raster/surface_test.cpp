// Drawing onto a surface: fills and frames of moved shapes, block copies,
// copies through a shape, and picture transfers; everything clipped.
#include "surface.h"

#include <gtest/gtest.h>

#include <climits>

using namespace segraster;

namespace {

constexpr std::uint32_t kBlack = 0xFF000000u;
constexpr std::uint32_t kRedPixel = 0xFFFF0000u;

// Every pixel painted with colour c, as the set of places the region covers.
void expectPainted(const Surface& s, const Region& where, std::uint32_t c)
{
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            ASSERT_EQ(s.pixel(x, y), where.contains(x, y) ? c : kBlack) << x << "," << y;
}

QImage pattern2x2()
{
    QImage img(2, 2, QImage::Format_RGB32);
    img.setPixel(0, 0, 0xFF010101);
    img.setPixel(1, 0, 0xFF020202);
    img.setPixel(0, 1, 0xFF030303);
    img.setPixel(1, 1, 0xFF040404);
    return img;
}

} // namespace

TEST(Surface, FillsAndFramesAMovedShapeClippedToTheSurface)
{
    Surface s(8, 6);
    const Region shape = Region::fromRect(0, 0, 5, 4);
    s.fill(shape, 0x0000FF, 5, 4); // red reference, moved half off the surface
    expectPainted(s, Region::fromRect(5, 4, 8, 6), kRedPixel);
    EXPECT_EQ(shape, Region::fromRect(0, 0, 5, 4)) << "the cached shape is not moved";

    Surface f(8, 6);
    f.frame(shape, 0x00FF00, 1, 1);
    expectPainted(f, shape.frame1px().translated(1, 1), 0xFF00FF00u);
}

TEST(Surface, ColourReferencesBecomeOpaquePixels)
{
    EXPECT_EQ(pixelFromColorRef(0x00332211), 0xFF112233u);
    EXPECT_EQ(pixelFromColorRef(0xFFFFFFFFu), 0xFFFFFFFFu); // the failed translation paints white
    Surface s(3, 3);
    s.fillRect({ 1, 1, 9, 9 }, 0x00332211);
    s.fillRect({ 2, 2, 0, 0 }, 0x0000FF); // inverted: nothing
    expectPainted(s, Region::fromRect(1, 1, 3, 3), 0xFF112233u);
}

TEST(Surface, BlitClipsAndHandlesOverlap)
{
    Surface src(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            src.setPixel(x, y, std::uint32_t(y * 4 + x));
    Surface dst(4, 4);
    dst.blit(-1, 2, 4, 4, src, 0, 0); // left column and bottom rows fall outside
    EXPECT_EQ(dst.pixel(0, 2), kBlack | 1u);
    EXPECT_EQ(dst.pixel(2, 3), kBlack | 7u);
    EXPECT_EQ(dst.pixel(0, 1), kBlack);
    // Overlapping copy within one surface, downward: reads the original rows.
    src.blit(0, 1, 4, 3, src, 0, 0);
    for (int y = 1; y < 4; ++y)
        EXPECT_EQ(src.pixel(3, y), kBlack | std::uint32_t((y - 1) * 4 + 3));
    dst.blit(0, 0, INT_MAX, INT_MAX, src, INT_MIN, INT_MIN); // nothing overlaps
}

TEST(Surface, CopyThroughAShapeRestoresOnlyItsPixels)
{
    Surface background(6, 6);
    background.fillRect(background.bounds(), 0x0000FF);
    Surface screen(6, 6);
    const Region comma = Region::fromPolygon(std::vector<Point> { { 2, 0 }, { 4, 0 }, { 2, 4 }, { 0, 4 } });
    screen.copyInRegion(background, comma, 1, 1);
    expectPainted(screen, comma.translated(1, 1), kRedPixel);
}

TEST(Surface, PicturesAtNaturalSizeStretchedAndTiled)
{
    const QImage pat = pattern2x2();
    Surface s(5, 5);
    s.drawImage(-1, 3, pat); // only pixel (1, 0) of the picture lands at (0, 3)
    EXPECT_EQ(s.pixel(0, 3), 0xFF020202u);
    EXPECT_EQ(s.pixel(0, 4), 0xFF040404u);
    EXPECT_EQ(s.pixel(1, 3), kBlack);

    Surface st(4, 4);
    st.stretchBlit({ 0, 0, 4, 4 }, pat, { 0, 0, 2, 2 });
    EXPECT_EQ(st.pixel(1, 1), 0xFF010101u);
    EXPECT_EQ(st.pixel(2, 1), 0xFF020202u);
    EXPECT_EQ(st.pixel(3, 3), 0xFF040404u);

    Surface t(6, 6);
    t.fillTiled({ 1, 1, 5, 5 }, pat, 1, 1); // the brush origin is the border corner
    EXPECT_EQ(t.pixel(1, 1), 0xFF010101u);
    EXPECT_EQ(t.pixel(2, 1), 0xFF020202u);
    EXPECT_EQ(t.pixel(3, 3), 0xFF010101u);
    EXPECT_EQ(t.pixel(4, 3), 0xFF020202u);
    EXPECT_EQ(t.pixel(0, 0), kBlack);
    EXPECT_EQ(t.pixel(5, 5), kBlack);
}

TEST(Surface, BottomUpBuffersLandTheRightWayUp)
{
    // 2 x 3 buffer, row 0 is the bottom row of the picture.
    const std::uint32_t bits[] = { 0x10, 0x11, 0x20, 0x21, 0x30, 0x31 };
    Surface s(4, 4);
    s.drawBottomUpBits(0, 0, 2, 3, bits, 2, 3, 0, 0);
    EXPECT_EQ(s.pixel(0, 0), kBlack | 0x30u);
    EXPECT_EQ(s.pixel(1, 2), kBlack | 0x11u);
    // The block at (1, 1) of the picture (from its top-left) to the same place.
    Surface inner(4, 4);
    inner.drawBottomUpBits(1, 1, 1, 2, bits, 2, 3, 1, 1);
    EXPECT_EQ(inner.pixel(1, 1), kBlack | 0x21u);
    EXPECT_EQ(inner.pixel(1, 2), kBlack | 0x11u);
    EXPECT_EQ(inner.pixel(0, 1), kBlack);
    EXPECT_EQ(inner.pixel(1, 3), kBlack);
}

TEST(Surface, RefusesUnboundedSizesAndIgnoresCallsWhenEmpty)
{
    for (auto [w, h] : { std::pair { 0, 5 }, { -3, 4 }, { kMaxSurfaceSide + 1, 1 }, { 16000, 16000 },
             { INT_MAX, INT_MAX } }) {
        Surface s(w, h);
        EXPECT_TRUE(s.isNull()) << w << "x" << h;
        s.fill(Region::fromRect(0, 0, 5, 5), 0);
        s.fillRect({ 0, 0, 5, 5 }, 0);
        s.blit(0, 0, 5, 5, Surface(3, 3), 0, 0);
        EXPECT_EQ(s.pixel(0, 0), 0u);
    }
    // Extreme coordinates on a real surface: clipped away, no overflow.
    Surface real(4, 4);
    const std::uint32_t bits[] = { 1, 2, 3, 4 };
    real.drawBottomUpBits(INT_MIN, INT_MAX, INT_MAX, INT_MAX, bits, 2, 2, INT_MIN, INT_MIN);
    real.stretchBlit({ INT_MIN, INT_MIN, INT_MAX, INT_MAX }, pattern2x2(), { INT_MIN, 0, INT_MAX, 2 });
    real.stretchBlit({ 0, 0, 4, 4 }, pattern2x2(), { 0, 0, -2, 2 });
    real.fillTiled({ INT_MIN, INT_MIN, INT_MAX, INT_MAX }, pattern2x2(), INT_MAX, INT_MIN);
    real.drawImage(INT_MIN, INT_MAX, pattern2x2());
    real.fill(Region::fromRect(0, 0, 2, 2), 0, INT_MAX, INT_MIN);
    real.copyInRegion(Surface(4, 4), Region::fromRect(0, 0, 2, 2), INT_MIN, INT_MAX);
    // Only the tiles reached the surface: (1 - INT_MAX) is even, (1 - INT_MIN) odd.
    EXPECT_EQ(real.pixel(1, 1), 0xFF030303u);

    Surface ok;
    EXPECT_TRUE(ok.resize(1920, 1080));
    EXPECT_FALSE(ok.resize(20000, 10));
    EXPECT_TRUE(ok.isNull());
}
