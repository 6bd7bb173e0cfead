// The chart without a window: series filling and scrolling, resize geometry
// in twips, and what one redraw draws.
#include "chartmodel.h"

#include <gtest/gtest.h>

namespace {

// A 600 x 150 pixel inner area: 9000 x 2250 twips, back buffer 9008 wide.
ChartModel chart(HistogramProperties props = {}, double w = 9000, double h = 2250)
{
    ChartModel m;
    m.props = props;
    m.makeSeries();
    m.resize(w, h);
    return m;
}

std::vector<std::int32_t> values(const ChartModel& m)
{
    return m.Points;
}

TEST(ChartSeries, FreshChartDrawsSegmentsFromZeroStartingAtXStep)
{
    ChartModel m = chart();
    for (int v : { 10, 20, 30 })
        ASSERT_TRUE(m.nextPoint(v));
    ChartPlan plan;
    m.plan(2250, plan);
    // YScale = 2250 / 100 = 22.5, which rounds to the even 22.
    ASSERT_EQ(plan.segments.size(), 3u);
    const double x = m.XStep;
    EXPECT_EQ(plan.segments[0].x1, x);
    EXPECT_EQ(plan.segments[0].y1, 22 * 100);
    EXPECT_EQ(plan.segments[0].x2, 2 * x);
    EXPECT_EQ(plan.segments[0].y2, 22 * 90);
    EXPECT_EQ(plan.segments[2].x1, 3 * x);
    EXPECT_EQ(plan.segments[2].y1, 22 * 80);
    EXPECT_EQ(plan.segments[2].y2, 22 * 70);
}

TEST(ChartSeries, FullChartScrollsOnePlacePerSample)
{
    HistogramProperties p;
    p.NumberOfPoints = 3;
    ChartModel m = chart(p);
    for (int v : { 1, 2, 3 })
        m.nextPoint(v);
    EXPECT_TRUE(m.isFull());
    EXPECT_EQ(values(m), (std::vector<std::int32_t> { 0, 1, 2, 3 }));
    m.nextPoint(4);
    EXPECT_EQ(values(m), (std::vector<std::int32_t> { 1, 2, 3, 4 }));
    m.nextPoint(5);
    EXPECT_EQ(values(m), (std::vector<std::int32_t> { 2, 3, 4, 5 }));
    EXPECT_EQ(m.PointCount, 4);
}

TEST(ChartSeries, MaxIsAcceptedAndAboveMaxIsRefused)
{
    ChartModel m = chart();
    EXPECT_TRUE(m.nextPoint(100));
    EXPECT_FALSE(m.nextPoint(101));
    EXPECT_EQ(m.PointCount, 2);
    ChartPlan plan;
    m.plan(2250, plan);
    ASSERT_EQ(plan.segments.size(), 1u);
    EXPECT_EQ(plan.segments[0].y2, 0); // the top edge
}

TEST(ChartSeries, NegativeSampleHidesItselfAndLaterSamplesUntilScrolledOut)
{
    HistogramProperties p;
    p.NumberOfPoints = 3;
    ChartModel m = chart(p);
    ChartPlan plan;
    const std::pair<int, size_t> steps[] = { { 10, 1 }, { -5, 1 }, { 20, 1 }, { 30, 0 }, { 40, 3 } };
    for (const auto& [sample, drawn] : steps) {
        m.nextPoint(sample);
        m.plan(2250, plan);
        EXPECT_EQ(plan.segments.size(), drawn) << "after " << sample;
    }
    // Once -5 sits in slot 0 it is the start of the first segment.
    EXPECT_EQ(plan.segments[0].y1, 22 * 105);
}

TEST(ChartGeometry, ResizeComputesStepsInTwipsWithHalvesToEven)
{
    const ChartModel m = chart();
    EXPECT_EQ(m.bufferWidth, 9008);
    EXPECT_EQ(m.bufferHeight, 2250);
    EXPECT_EQ(m.XStep, 91); // 90.08 rounds to 90, plus 1
    EXPECT_EQ(m.VGridSpacing, 900); // no extra 1: drifts against the samples
    EXPECT_EQ(m.HGridSpacing, 562); // 2250 / 4 = 562.5 -> 562
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
}

TEST(ChartGeometry, ConsoleChartGridCountsUpFromTheBottomEdge)
{
    HistogramProperties p;
    p.GridTickHorizontal = 5;
    p.GridTickVertical = 10;
    p.Max = 99;
    ChartModel m = chart(p, 9000, 1500);
    EXPECT_EQ(m.HGridSpacing, 152); // 1500 / 9.9 = 151.5 -> 152
    ChartPlan plan;
    m.plan(1530, plan);
    ASSERT_FALSE(plan.hGrid.empty());
    EXPECT_EQ(plan.hGrid.front(), 1500);
    EXPECT_EQ(plan.hGrid[1], 1348);
    EXPECT_EQ(plan.hGrid.back(), 1500 - 152 * 9);
    EXPECT_EQ(plan.vGrid.size(), 21u); // 0, 450, ... 9000 <= 9008
}

struct SpacingCase {
    const char* what;
    std::int16_t tickH, tickV;
    std::int32_t points;
    bool hGrid, vGrid;
};

class GridSpacing : public ::testing::TestWithParam<SpacingCase> { };

// Spacings of 0 or less draw no grid lines and never keep the loop going.
TEST_P(GridSpacing, UnusableSpacingDrawsNoLines)
{
    const SpacingCase& c = GetParam();
    HistogramProperties p;
    p.GridTickHorizontal = c.tickH;
    p.GridTickVertical = c.tickV;
    p.NumberOfPoints = c.points;
    ChartModel m;
    m.props = p;
    m.makeSeries();
    m.resize(9000, 2250);
    ChartPlan plan;
    m.plan(2250, plan);
    EXPECT_EQ(!plan.hGrid.empty(), c.hGrid) << c.what;
    EXPECT_EQ(!plan.vGrid.empty(), c.vGrid) << c.what;
}

INSTANTIATE_TEST_SUITE_P(ChartGeometry, GridSpacing,
    ::testing::Values(SpacingCase { "vertical tick 0", 10, 0, 100, false, true },
        SpacingCase { "negative vertical tick", 10, -25, 100, false, true },
        SpacingCase { "horizontal tick 0", 0, 25, 100, true, false },
        SpacingCase { "negative horizontal tick", -10, 25, 100, true, false },
        SpacingCase { "more samples than width units", 10, 25, 20000, true, false },
        SpacingCase { "ticks denser than the height", 10, 1, 100, true, true }));

TEST(ChartGeometry, FailedStepKeepsItsPreviousValue)
{
    ChartModel m = chart();
    ASSERT_EQ(m.HGridSpacing, 562);
    m.props.GridTickVertical = 0; // Max / 0
    m.resize(9000, 1500);
    EXPECT_EQ(m.HGridSpacing, 562);
    EXPECT_EQ(m.XStep, 91);
}

TEST(ChartRedraw, GridUsesThePenWidthLeftByThePreviousRedraw)
{
    HistogramProperties p;
    p.DrawWidth = 3;
    ChartModel m = chart(p);
    ChartPlan plan;
    m.plan(2250, plan);
    EXPECT_EQ(plan.gridPenWidth, 1);
    EXPECT_EQ(plan.seriesPenWidth, 3);
    m.props.DrawWidth = 0; // no pen of width 0: the pen stays as it was
    m.plan(2250, plan);
    EXPECT_EQ(plan.gridPenWidth, 3);
    EXPECT_EQ(plan.seriesPenWidth, 3);
}

TEST(ChartRedraw, SeriesShorterThanTheCountIsNeverReadPastItsEnd)
{
    ChartModel m = chart();
    m.Points.resize(3); // as if the count had changed after loading
    m.Points[1] = 5;
    m.Points[2] = 6;
    EXPECT_TRUE(m.nextPoint(7));
    ChartPlan plan;
    m.plan(2250, plan);
    EXPECT_EQ(plan.segments.size(), 2u);
}

} // namespace
