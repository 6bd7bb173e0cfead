// Themes: each row applied in full with its size, theme 5's PictureMode
// setter, numbers that name no theme, and re-applying after a change.
#include "segmentdisplay.h"
#include "themes.h"

#include <gtest/gtest.h>

namespace {

struct Noticed {
    QStringList names;
    explicit Noticed(SegmentDisplay& d)
    {
        QObject::connect(&d, &SegmentDisplay::propertyChanged, [this](const QString& n) { names << n; });
    }
};

// RebuildDisplay runs while a new instance takes theme n.
int rebuildsFor(int n)
{
    SegmentDisplay d;
    const int before = d.counters().rebuilds;
    d.setTheme(n);
    return d.counters().rebuilds - before;
}

// Each theme's own values as the theme table writes them (colours 0x00BBGGRR),
// and its outer size in pixels.
struct ThemeLook {
    int n;
    std::uint32_t back, burnIn, lit;
    int style, height, width, segGap, digitGap, heightExp, widthExp, digitGapExp, xOffsetExp;
    QSize size;
};

class ThemeRows : public ::testing::TestWithParam<ThemeLook> { };

TEST_P(ThemeRows, RowIsAppliedInFullWithItsSize)
{
    const ThemeLook& t = GetParam();
    SegmentDisplay d;
    d.resize(50, 20);
    d.setValue("-1.5");
    d.setBorderWidth(3);
    d.setCurveTopLeft(4);
    d.setShowThousandsSeparator(true);
    d.setYOffsetExp(9);
    d.setTheme(t.n);

    const DisplayProperties& p = d.properties();
    EXPECT_EQ(p.Theme, t.n);
    EXPECT_EQ(p.Value, "-1.5");
    EXPECT_EQ(p.Picture, nullptr);
    EXPECT_EQ(d.size(), t.size);
    EXPECT_EQ(p.BackColor1, t.back);
    EXPECT_EQ(p.BackColor2, t.back);
    EXPECT_EQ(p.BurnInColor, t.burnIn);
    EXPECT_EQ(p.BurnInColorNeg, t.burnIn);
    EXPECT_EQ(p.SegmentLitColor, t.lit);
    EXPECT_EQ(p.SegmentLitColorNeg, t.lit);
    EXPECT_EQ(p.SegmentStyle, t.style);
    EXPECT_EQ(p.SegmentHeight, t.height);
    EXPECT_EQ(p.SegmentWidth, t.width);
    EXPECT_EQ(p.InterSegmentGap, t.segGap);
    EXPECT_EQ(p.InterDigitGap, t.digitGap);
    EXPECT_EQ(p.SegmentHeightExp, t.heightExp);
    EXPECT_EQ(p.SegmentWidthExp, t.widthExp);
    EXPECT_EQ(p.InterDigitGapExp, t.digitGapExp);
    EXPECT_EQ(p.XOffsetExp, t.xOffsetExp);
    // What every theme sets alike, including the values changed above.
    EXPECT_EQ(p.BorderWidth, 1);
    EXPECT_EQ(p.CurveTopLeft, 0);
    EXPECT_FALSE(p.ShowThousandsSeparator);
    EXPECT_EQ(p.YOffsetExp, 5);
    EXPECT_EQ(p.BackAngle, 90.0f);
    EXPECT_EQ(p.NumDigits, 20);
    EXPECT_EQ(p.SegmentStyleExp, 2);
}

INSTANTIATE_TEST_SUITE_P(Themes, ThemeRows,
    ::testing::Values(ThemeLook { 1, 0x000000, 0x000060, 0x0000FF, 0, 8, 4, 0, 4, 5, 3, 2, 335, { 381, 30 } },
        ThemeLook { 2, 0x000000, 0x000060, 0x0000FF, 0, 12, 4, 1, 6, 8, 4, 2, 490, { 557, 42 } },
        ThemeLook { 3, 0xE0E0E0, 0xD0D0D0, 0x000000, 1, 12, 4, 1, 4, 6, 3, 2, 370, { 435, 38 } },
        ThemeLook { 4, 0xE0E0E0, 0xD0D0D0, 0x000000, 1, 14, 4, 1, 6, 8, 4, 2, 455, { 525, 42 } },
        ThemeLook { 5, 0x000000, 0x505000, 0xFFFF00, 2, 8, 3, 0, 6, 6, 3, 2, 355, { 403, 31 } },
        ThemeLook { 6, 0x000000, 0x005050, 0x00FFFF, 2, 4, 2, 0, 4, 4, 2, 3, 195, { 235, 20 } }));

TEST(Themes, ThemeThreeGivesGreyLiquidCrystalLook)
{
    SegmentDisplay d;
    d.setTheme(3);
    const DisplayProperties& p = d.properties();
    EXPECT_EQ(p.BackColor1, 0xE0E0E0u);
    EXPECT_EQ(p.BurnInColor, 0xD0D0D0u);
    EXPECT_EQ(p.SegmentLitColor, 0x000000u);
    EXPECT_EQ(p.SegmentStyle, 1);
    EXPECT_EQ(p.XOffsetExp, 370);
    EXPECT_EQ(d.size(), QSize(435, 38));
    EXPECT_EQ(d.surfaceImage().size(), QSize(435, 38)); // the resize reached the control
    EXPECT_EQ(p.Value, "1234567890");
}

TEST(Themes, ThemeFiveOnANewInstanceOnlyClearsThePicture)
{
    SegmentDisplay d;
    ASSERT_NE(d.Picture(), nullptr);
    Noticed noticed(d);
    const int rebuildsBefore = d.counters().rebuilds;
    d.setTheme(5);
    EXPECT_EQ(d.Picture(), nullptr);
    PropertyBag a, b;
    d.WriteProperties(a);
    SegmentDisplay fresh;
    fresh.WriteProperties(b);
    EXPECT_EQ(a, b); // every stored value equal to a new instance's
    EXPECT_EQ(noticed.names, (QStringList { "Theme", "PictureMode" }));
    EXPECT_EQ(d.size(), QSize(403, 31));
    // PictureMode's own setter rebuilds once more than any other theme does.
    EXPECT_EQ(d.counters().rebuilds - rebuildsBefore, rebuildsFor(6) + 1);
}

TEST(Themes, ThemeFivesPictureModeSetterSeesOnlyTheValuesStoredBeforeIt)
{
    SegmentDisplay d;
    d.setNumDigits(3);
    d.setSegmentHeight(30);
    int numDigits = 0, segmentHeight = 0;
    bool pictureCleared = false;
    QObject::connect(&d, &SegmentDisplay::propertyChanged, [&](const QString& n) {
        if (n != "PictureMode")
            return;
        numDigits = d.NumDigits();
        segmentHeight = d.SegmentHeight();
        pictureCleared = d.Picture() == nullptr;
    });
    d.setTheme(5);
    EXPECT_EQ(numDigits, 20); // stored before Picture
    EXPECT_TRUE(pictureCleared);
    EXPECT_EQ(segmentHeight, 30); // still the older value at that point
    EXPECT_EQ(d.SegmentHeight(), 8);
}

TEST(Themes, OtherThemesStoreThePictureModeWithoutItsSetter)
{
    SegmentDisplay d;
    Noticed noticed(d);
    d.setTheme(6);
    EXPECT_EQ(noticed.names, QStringList { "Theme" });
    // Two size changes (width, then height) and the final redraw.
    EXPECT_EQ(rebuildsFor(6), 3);
}

TEST(Themes, NumbersThatNameNoThemeAreStoredAndRedrawnOnly)
{
    for (int n : { 0, 7, 9, -1 }) {
        SegmentDisplay d;
        d.resize(120, 40);
        d.setSegmentHeight(20);
        Noticed noticed(d);
        const int repaints = d.counters().repaintAlls;
        d.setTheme(n);
        EXPECT_EQ(d.Theme(), n);
        EXPECT_EQ(d.SegmentHeight(), 20);
        EXPECT_NE(d.Picture(), nullptr);
        EXPECT_EQ(d.size(), QSize(120, 40));
        EXPECT_EQ(noticed.names, QStringList { "Theme" });
        EXPECT_EQ(d.counters().repaintAlls - repaints, 1) << n;
    }
}

TEST(Themes, SettingTheSameThemeAgainRestoresItsValues)
{
    SegmentDisplay d;
    d.setTheme(2);
    d.setSegmentHeight(20);
    EXPECT_EQ(d.SegmentHeight(), 20);
    EXPECT_EQ(d.Theme(), 2);
    d.setTheme(2);
    EXPECT_EQ(d.SegmentHeight(), 12);
}

} // namespace
