// A display instance in the host's bag: defaults omitted, loading straight
// into the fields with the even-size rule, the console's stored instance,
// and entries that cannot be used.
#include "displaybag.h"
#include "layoutfile.h"
#include "segmentdisplay.h"

#include <QFile>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

PropertyBag bagOf(const char* json)
{
    return PropertyBag::fromDocument(QByteArray(json));
}

PropertyBag written(const SegmentDisplay& d)
{
    PropertyBag bag;
    d.WriteProperties(bag);
    return bag;
}

TEST(DisplayBag, NewInstanceWritesNothingAndTheValueDefaultRemovesItsEntry)
{
    SegmentDisplay d;
    PropertyBag bag = written(d);
    EXPECT_TRUE(bag.isEmpty());
    d.setValue("42");
    d.WriteProperties(bag);
    EXPECT_EQ(bag.readText("Value", ""), "42");
    d.setValue("1234567890");
    d.WriteProperties(bag);
    EXPECT_FALSE(bag.contains("value"));
    EXPECT_TRUE(bag.isEmpty());
}

TEST(DisplayBag, EveryPropertyAndThePictureRoundTrip)
{
    SegmentDisplay d;
    d.resize(200, 60);
    auto picture = std::make_shared<QImage>(4, 3, QImage::Format_RGB32);
    picture->fill(qRgb(1, 2, 3));
    d.setBackAngle(33.5f);
    d.setBackColor1(0x80000005u);
    d.setBackMiddleOut(false);
    d.setBorderWidth(-2);
    d.setCurveBottomLeft(7);
    d.setNumDigits(5);
    d.setPicture(picture);
    d.setPictureMode(2);
    d.setSegmentStyle(2);
    d.setSegmentWidth(5);
    d.setShowThousandsSeparator(true);
    d.setTheme(0);
    d.setValue("-3.5e2");
    d.setYOffsetExp(-1);
    const PropertyBag bag = PropertyBag::fromDocument(written(d).toDocument());

    SegmentDisplay back;
    back.ReadProperties(bag);
    EXPECT_EQ(written(back), bag);
    EXPECT_EQ(back.BackAngle(), 33.5f);
    EXPECT_EQ(back.BackColor1(), 0x80000005u);
    EXPECT_EQ(back.BorderWidth(), -2);
    EXPECT_EQ(back.Theme(), 0);
    EXPECT_EQ(back.Value(), "-3.5E2");
    ASSERT_NE(back.Picture(), nullptr);
    EXPECT_EQ(back.Picture()->convertToFormat(QImage::Format_RGB32), *picture);
}

TEST(DisplayBag, BackAnglesWithoutJsonNumbersComeBackInsteadOfTheDefault)
{
    const float inf = std::numeric_limits<float>::infinity();
    for (const float angle : { std::numeric_limits<float>::quiet_NaN(), inf, -inf }) {
        SegmentDisplay d;
        d.setBackAngle(angle);
        const PropertyBag bag = PropertyBag::fromDocument(written(d).toDocument());
        SegmentDisplay back;
        back.ReadProperties(bag);
        EXPECT_EQ(written(back), bag) << angle;
        if (std::isnan(angle))
            EXPECT_TRUE(std::isnan(back.BackAngle()));
        else
            EXPECT_EQ(back.BackAngle(), angle);
    }
}

TEST(DisplayBag, LoadingStoresStraightIntoTheFieldsWithoutNoticesOrTheme)
{
    SegmentDisplay d;
    QStringList notices;
    QObject::connect(&d, &SegmentDisplay::propertyChanged, [&](const QString& n) { notices << n; });
    const int rebuilds = d.counters().rebuilds, repaints = d.counters().repaintAlls;
    d.ReadProperties(bagOf(R"({"theme": 2, "segmentheight": 20})"));
    EXPECT_TRUE(notices.isEmpty());
    EXPECT_EQ(d.Theme(), 2);
    EXPECT_EQ(d.SegmentHeight(), 20);
    EXPECT_EQ(d.InterDigitGap(), 6); // not theme 2's 6... nor its XOffsetExp:
    EXPECT_EQ(d.XOffsetExp(), 355);
    EXPECT_EQ(d.SegmentWidthExp(), 3);
    EXPECT_EQ(d.Picture(), nullptr); // an empty bag means no picture at all
    EXPECT_EQ(d.counters().rebuilds - rebuilds, 1);
    EXPECT_EQ(d.counters().repaintAlls - repaints, 0);
}

struct OddCase {
    const char* json;
    int width, height, widthExp;
};

class OddSizes : public ::testing::TestWithParam<OddCase> { };

TEST_P(OddSizes, HexagonalAndTrapezoidalSizesAreMadeEven)
{
    DisplayProperties p;
    readDisplayFields(bagOf(GetParam().json), p);
    evenSegmentSizes(p);
    EXPECT_EQ(p.SegmentWidth, GetParam().width);
    EXPECT_EQ(p.SegmentHeight, GetParam().height);
    EXPECT_EQ(p.SegmentWidthExp, GetParam().widthExp);
}

INSTANTIATE_TEST_SUITE_P(DisplayBag, OddSizes,
    ::testing::Values(
        OddCase {
            R"({"segmentstyle": 1, "segmentwidth": 5, "segmentheight": 9, "segmentwidthexp": 5})", 6, 10, 5 },
        OddCase {
            R"({"segmentstyle": 2, "segmentwidth": 5, "segmentheight": 9, "segmentwidthexp": 5})", 5, 9, 5 },
        OddCase { R"({"segmentstyle": 0, "segmentwidth": -3, "segmentheight": 7})", -2, 8, 3 },
        OddCase { R"({"segmentstyle": 0, "segmentwidth": 2147483647})", 2147483647, 8, 3 },
        OddCase { R"({"segmentstyleexp": 0, "segmentwidthexp": 5, "segmentwidth": 3})", 3, 8, 5 }));

TEST(DisplayBag, MixedCaseNamesFindLowerCaseKeys)
{
    PropertyBag bag;
    bag.writeInt32("segmentlitcolor", 0x00FFFF, 0xFFFF00);
    DisplayProperties p;
    readDisplayFields(bag, p);
    EXPECT_EQ(p.SegmentLitColor, 0x00FFFFu);
}

TEST(DisplayBag, ConsoleInstanceLoadsExactlyItsStoredValues)
{
    QFile file(TUVELA_TEST_DATA "/host/bags/console-mo.json");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const PropertyBag bag = PropertyBag::fromDocument(file.readAll());
    SegmentDisplay d;
    restoreControl(d, bag);
    DisplayProperties expected;
    expected.Picture = nullptr;
    expected.BurnInColor = expected.BurnInColorNeg = 0x000060;
    expected.InterDigitGapExp = 5;
    expected.InterSegmentGap = 5;
    expected.NumDigits = 2;
    expected.SegmentLitColor = 0x00FFFF;
    expected.SegmentLitColorNeg = 0x0000FF;
    expected.SegmentHeight = 20;
    expected.SegmentHeightExp = 10;
    expected.SegmentStyle = 0;
    expected.SegmentWidth = 8;
    expected.SegmentWidthExp = 8;
    expected.Theme = 2;
    expected.Value = "000";
    expected.XOffsetExp = 490;
    PropertyBag expectedBag;
    writeDisplayFields(expectedBag, expected);
    PropertyBag loaded;
    writeDisplayFields(loaded, d.properties());
    EXPECT_EQ(loaded.toDocument().toStdString(), expectedBag.toDocument().toStdString());
    EXPECT_EQ(d.Picture(), nullptr);
    EXPECT_EQ(d.size(), QSize(94, 77));
    EXPECT_EQ(storeControl(d).toDocument().toStdString(), bag.toDocument().toStdString());
}

TEST(DisplayBag, WrongKindsAndCorruptDocumentsTakeDefaults)
{
    DisplayProperties p;
    readDisplayFields(bagOf(R"({"numdigits": "twenty", "backangle": "steep", "showburnin": "yes",
                                "borderwidth": 99999, "value": 25, "backcolor1": -1, "picture": 3})"),
        p);
    EXPECT_EQ(p.NumDigits, 20);
    EXPECT_EQ(p.BackAngle, 90.0f);
    EXPECT_TRUE(p.ShowBurnIn);
    EXPECT_EQ(p.BorderWidth, 1);
    EXPECT_EQ(p.Value, "1234567890");
    EXPECT_EQ(p.BackColor1, 0xFFFFFFFFu);
    EXPECT_EQ(readDisplayPicture(bagOf(R"({"picture": 3})")), nullptr);

    SegmentDisplay d;
    d.ReadProperties(PropertyBag::fromDocument("{\"numdigits\": 2,"));
    EXPECT_EQ(d.NumDigits(), 20);
}

} // namespace
