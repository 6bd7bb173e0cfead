// Values the drawing cannot use: stored as given, drawn safely, refused
// with a reason when the arithmetic would overflow; nothing crashes.
#include "displaytestutil.h"

#include "shapes.h"

#include <limits>

namespace {

constexpr int kMax = std::numeric_limits<int>::max();
constexpr int kMin = std::numeric_limits<int>::min();

TEST(Hostile, DigitCountsOutsideTheTablesAreClampedForDrawing)
{
    struct Case {
        int numDigits;
        int drawnCells;
    };
    for (const Case c : { Case { 0, 1 }, Case { -5, 1 }, Case { 51, 50 }, Case { 1000000, 50 } }) {
        auto d = sizedDisplay();
        d->setNumDigits(c.numDigits);
        EXPECT_EQ(d->NumDigits(), c.numDigits);
        EXPECT_EQ(d->digits().LastMain.size(), c.drawnCells) << c.numDigits;
        EXPECT_EQ(d->lastError(), QString());
    }
    auto d = sizedDisplay();
    d->setNumDigitsExp(-1);
    EXPECT_EQ(d->digits().LastExp.size(), 1);
    d->setNumDigitsExp(99);
    EXPECT_EQ(d->digits().LastExp.size(), 5);
    d->setValue(QStringLiteral("1E+123456789"));
    EXPECT_EQ(d->digits().LastExp, QStringLiteral(" 6789"));
}

TEST(Hostile, OddSizesDrawWithoutError)
{
    struct Case {
        const char* name;
        const char* value;
    };
    const Case cases[] = {
        { "SegmentHeight", "-3" },
        { "SegmentWidth", "0" },
        { "InterSegmentGap", "-20" },
        { "BorderWidth", "32767" },
        { "BorderWidth", "-32768" },
        { "ThousandsGrouping", "0" },
        { "ThousandsGrouping", "-2" },
        { "CurveTopLeft", "2147483647" },
        { "CurveBottomRight", "-2147483648" },
        { "DecimalSeparator", "7" },
        { "ThousandsSeparator", "-1" },
        { "SegmentStyle", "9" },
        { "SegmentStyleExp", "-1" },
        { "PictureMode", "12" },
        { "SegmentHeight", "100000" },
        { "YOffset", "-100000000" },
        { "BackAngle", "1e30" },
        { "BackColor1", "0x80000063" },
    };
    for (const Case& c : cases) {
        auto d = sizedDisplay();
        d->setShowThousandsSeparator(true);
        setText(*d, c.name, c.value);
        d->setValue(QStringLiteral("-1,234.5:6E+7"));
        EXPECT_TRUE(d->RepaintAll()) << c.name << "=" << c.value;
        EXPECT_EQ(d->lastError(), QString()) << c.name;
    }
}

TEST(Hostile, OverflowingPositionsAreRefusedButStored)
{
    for (const char* name :
        { "XOffset", "SegmentHeight", "InterDigitGap", "InterSegmentGap", "SegmentWidth" }) {
        auto d = sizedDisplay();
        const QImage before = d->surfaceImage();
        QString error;
        ASSERT_TRUE(setPropertyFromText(*d, QString::fromLatin1(name), QStringLiteral("2147483647"), &error));
        EXPECT_EQ(d->property(name).toInt(), kMax);
        EXPECT_FALSE(d->lastError().isEmpty()) << name;
        EXPECT_EQ(d->surfaceImage(), before) << name << ": nothing new is drawn";
        // A usable value draws again.
        setText(*d, name, "4");
        EXPECT_TRUE(d->lastError().isEmpty()) << name;
    }
    auto d = sizedDisplay();
    d->setBorderWidth(-1);
    d->setXOffset(kMin);
    EXPECT_FALSE(d->lastError().isEmpty());
}

// Wide borders are drawn from an inner outline pulled in towards the control;
// the ring must still be exactly the outline minus the inset outline.
TEST(Hostile, WideBordersPaintExactlyTheirRing)
{
    struct Case {
        int border, curve;
    };
    for (const Case c : { Case { 30000, 0 }, Case { 30000, 7 }, Case { -20000, 5 }, Case { 70, 30 },
             Case { 25, 12 }, Case { 3, 9 } }) {
        auto d = sizedDisplay(90, 50);
        d->setXOffset(1000); // digits out of the way
        d->setCurveTopLeft(c.curve);
        d->setCurveBottomRight(c.curve + 1);
        d->setBorderWidth(short(c.border));
        d->setBorderColor(0x0000FF); // red, painted last: red pixels are the ring
        const int b = c.border, k = c.curve;
        const auto outer = segraster::MakeRoundedRegion(0, 0, 90, 50, k, 0, 0, k + 1);
        const auto ring
            = outer.subtracted(segraster::MakeRoundedRegion(b, b, 90 - b, 50 - b, k, 0, 0, k + 1));
        int wrong = 0;
        for (int y = 0; y < 50; ++y)
            for (int x = 0; x < 90; ++x)
                if (outer.contains(x, y) && ring.contains(x, y) != (pixelAt(*d, x, y) == 0xFF0000u))
                    ++wrong;
        EXPECT_EQ(wrong, 0) << "border " << b << " curve " << k;
    }
}

TEST(Hostile, SizesBeyondTheSurfaceLimitAreRefused)
{
    SegmentDisplay d;
    giveSize(d, 100000, 100000);
    EXPECT_FALSE(d.lastError().isEmpty());
    giveSize(d, 0, 0);
    d.setValue(QStringLiteral("5"));
    giveSize(d, 50, 20);
    EXPECT_TRUE(d.lastError().isEmpty());
    EXPECT_EQ(d.surfaceImage().size(), QSize(50, 20));
}

TEST(Hostile, ValueBeforeTheFirstSizeDrawsNothing)
{
    SegmentDisplay d;
    d.setValue(QStringLiteral("-8.8:8"));
    d.setThousandsGrouping(1);
    EXPECT_TRUE(d.surfaceImage().isNull());
    EXPECT_EQ(d.Value(), QStringLiteral("-8.8:8"));
}

} // namespace
