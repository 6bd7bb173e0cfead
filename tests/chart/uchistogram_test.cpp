// The chart control: setters and their refusals, loading, the back buffer and
// its copy onto the surface, and what assistive technology is told.
#include "layoutfile.h"
#include "uchistogram.h"

#include <gtest/gtest.h>

namespace {

constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kGrid = 0xFF008000;
constexpr QRgb kLine = 0xFF00FF00;

// Borderless, so the inner area is the whole 600 x 150 control. Shown, as a
// hidden widget hears of its size only when it is first shown.
std::unique_ptr<ucHistogram> makeChart()
{
    auto c = std::make_unique<ucHistogram>();
    c->setBorderStyle(0);
    c->setBackColor(0); // black, whatever the palette says
    c->resize(600, 150);
    c->show();
    return c;
}

int countColour(const QImage& img, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += img.pixel(x, y) == colour;
    return n;
}

TEST(ucHistogram, SettersNotifyAndRefuseCountsAndMaxBelowOne)
{
    ucHistogram c;
    QStringList notices;
    QObject::connect(&c, &UserControl::propertyChanged, [&](const QString& n) { notices << n; });
    c.setMax(0);
    c.setNumberOfPoints(0);
    c.setNumberOfPoints(-5);
    EXPECT_EQ(c.Max(), 100);
    EXPECT_EQ(c.NumberOfPoints(), 100);
    EXPECT_TRUE(notices.isEmpty());
    c.setMax(1);
    c.setNumberOfPoints(3);
    c.setGridColour(0xFF);
    EXPECT_EQ(notices, (QStringList { "Max", "NumberOfPoints", "GridColour" }));
    EXPECT_EQ(c.model().Points.size(), 4u); // a fresh series of the new size
}

TEST(ucHistogram, ResizeSizesTheBackBufferEightTwipsWider)
{
    auto c = makeChart();
    EXPECT_EQ(c->model().bufferWidth, 9008);
    EXPECT_EQ(c->backBuffer().size(), QSize(601, 150));
    EXPECT_EQ(c->model().XStep, 91);
    c->setBorderStyle(1); // three-dimensional single border: 2 pixels a side
    c->resize(300, 100);
    EXPECT_EQ(c->model().bufferWidth, 296 * 15 + 8);
    EXPECT_EQ(c->model().bufferHeight, 96 * 15);
}

TEST(ucHistogram, SampleRedrawsGridAndSeriesAndCopiesEightPixelsLeft)
{
    auto c = makeChart();
    for (int v : { 10, 50, 90 })
        c->NextPoint(v);
    const QImage& buf = c->backBuffer();
    EXPECT_GT(countColour(buf, kLine), 0);
    EXPECT_GT(countColour(buf, kGrid), 0);
    const QImage& surf = c->surface();
    ASSERT_EQ(surf.size(), QSize(600, 150));
    for (int y = 0; y < 150; y += 7)
        for (int x = 0; x < 593; ++x)
            ASSERT_EQ(surf.pixel(x, y), buf.pixel(x + 8, y)) << x << "," << y;
    // The first vertical grid line (x = 0) lies in the hidden 8 pixels.
    EXPECT_EQ(buf.pixel(0, 75), kGrid);
}

TEST(ucHistogram, RefusedSampleDoesNotRedraw)
{
    auto c = makeChart();
    c->NextPoint(101);
    EXPECT_EQ(countColour(c->backBuffer(), kLine), 0);
    EXPECT_EQ(countColour(c->surface(), kGrid), 0);
    c->NextPoint(100);
    EXPECT_GT(countColour(c->backBuffer(), kLine), 0);
}

TEST(ucHistogram, BackColorReachesTheSurfaceButNotTheBackBuffer)
{
    auto c = makeChart();
    c->Refresh();
    c->setBackColor(0x0000FF); // red
    EXPECT_EQ(c->surface().pixel(305, 20), 0xFFFF0000);
    EXPECT_EQ(c->backBuffer().pixel(305, 20), kBlack);
    c->Refresh();
    EXPECT_EQ(c->backBuffer().pixel(305, 20), 0xFFFF0000);
}

TEST(ucHistogram, LoadsFromTheLayoutWithAFreshSeriesAndStoresOnlyChanges)
{
    const LayoutFile layout = LayoutFile::fromDocument(
        R"({"ucHistogram1": {"_extentx": 15875, "_extenty": 2646, "gridtickhorizontal": 5,
                             "gridtickvertical": 10, "max": 99, "numberofpoints": 50}})");
    ucHistogram c;
    c.NextPoint(5);
    QStringList notices;
    QObject::connect(&c, &UserControl::propertyChanged, [&](const QString& n) { notices << n; });
    c.restore(layout.bag("ucHistogram1"));
    EXPECT_TRUE(notices.isEmpty());
    EXPECT_EQ(c.size(), QSize(600, 100));
    EXPECT_EQ(c.Max(), 99);
    EXPECT_EQ(c.model().PointCount, 1);
    EXPECT_EQ(c.model().Points.size(), 51u);
    EXPECT_EQ(c.store(), layout.bag("ucHistogram1"));
}

TEST(ucHistogram, TellsAssistiveTechnologyWhatItShows)
{
    auto c = makeChart();
    EXPECT_FALSE(c->accessibleName().isEmpty());
    c->NextPoint(42);
    EXPECT_TRUE(c->accessibleDescription().contains("42"));
    EXPECT_TRUE(c->accessibleDescription().contains("100"));
}

} // namespace
