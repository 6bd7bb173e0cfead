// The chart's properties in the host's bag: defaults omitted, the console's
// stored entries, unusable stored values.
#include "chartproperties.h"

#include <gtest/gtest.h>

namespace {

TEST(ChartProperties, DefaultsWriteNothing)
{
    PropertyBag bag;
    writeHistogramProperties(bag, HistogramProperties());
    EXPECT_TRUE(bag.isEmpty());
    EXPECT_EQ(readHistogramProperties(bag), HistogramProperties());
}

TEST(ChartProperties, ConsoleChartStoresOnlyItsThreeChanges)
{
    HistogramProperties p;
    p.GridTickHorizontal = 5;
    p.GridTickVertical = 10;
    p.Max = 99;
    PropertyBag bag;
    writeHistogramProperties(bag, p);
    EXPECT_EQ(bag.keys(), (QStringList { "gridtickhorizontal", "gridtickvertical", "max" }));
    EXPECT_EQ(readHistogramProperties(PropertyBag::fromDocument(bag.toDocument())), p);
}

TEST(ChartProperties, EveryPropertyRoundTrips)
{
    const HistogramProperties p { 0, 0, 4, -3, 7, 250, 0x80000005u, 0xFFu, 1, 0x123456u };
    PropertyBag bag;
    writeHistogramProperties(bag, p);
    EXPECT_EQ(bag.size(), 10);
    EXPECT_EQ(readHistogramProperties(PropertyBag::fromDocument(bag.toDocument())), p);
}

TEST(ChartProperties, UnusableStoredValuesTakeTheirDefaults)
{
    const PropertyBag bag = PropertyBag::fromDocument(
        R"({"numberofpoints": 0, "max": -4, "drawwidth": 70000, "backcolor": "black", "gridtickvertical": 0})");
    const HistogramProperties p = readHistogramProperties(bag);
    EXPECT_EQ(p.NumberOfPoints, 100);
    EXPECT_EQ(p.Max, 100);
    EXPECT_EQ(p.DrawWidth, 1);
    EXPECT_EQ(p.BackColor, 0x80000012u);
    EXPECT_EQ(p.GridTickVertical, 0); // stored as asked; the grid copes with it
    EXPECT_EQ(readHistogramProperties(PropertyBag::fromDocument(R"({"numberofpoints": 2000000000})"))
                  .NumberOfPoints,
        100);
}

} // namespace
