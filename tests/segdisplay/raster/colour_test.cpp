// Colour references: RGB passes through, system colours resolve through the
// palette or the classic scheme, anything else fails with -1.
#include "colour.h"

#include <QGuiApplication>
#include <QPalette>

#include <gtest/gtest.h>

using namespace colours;

TEST(Colour, RgbReferencesPassThrough)
{
    EXPECT_EQ(TranslateColour(0x00000000), 0);
    EXPECT_EQ(TranslateColour(0x00123456), 0x123456);
    EXPECT_EQ(TranslateColour(0x02123456), 0x123456); // palette-relative RGB
    EXPECT_EQ(TranslateColour(0x12345678), -1); // no such kind of reference
}

TEST(Colour, SystemColoursWithoutAnApplicationUseTheClassicScheme)
{
    ASSERT_EQ(qGuiApp, nullptr);
    EXPECT_EQ(TranslateColour(0x80000012), 0x000000); // button text
    EXPECT_EQ(TranslateColour(0x8000000F), 0xC0C0C0); // button face
    EXPECT_EQ(TranslateColour(0x80000018), 0xE1FFFF); // tooltip background, 0x00BBGGRR
    EXPECT_EQ(TranslateColour(0x80000001), 0x808000); // desktop: red 0, green 128, blue 128
    EXPECT_EQ(TranslateColour(0x8000001E), 0xC0C0C0); // menu bar, the last index
    EXPECT_EQ(TranslateColour(0x8000001F), -1); // unknown index
    EXPECT_EQ(TranslateColour(0x800000FF), -1);
    EXPECT_EQ(TranslateColour(0x80010005), -1); // stray bits
    EXPECT_EQ(TranslateColour(0xFFFFFFFF), -1);
    EXPECT_EQ(ClassicSystemColour(-1), -1);
}

TEST(Colour, SystemColoursFollowTheApplicationPalette)
{
    int argc = 1;
    char name[] = "test_segraster";
    char* argv[] = { name, nullptr };
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QPalette palette = QGuiApplication::palette();
    palette.setColor(QPalette::Button, QColor(10, 20, 30));
    QGuiApplication::setPalette(palette);
    EXPECT_EQ(TranslateColour(0x8000000F), 10 | 20 << 8 | 30 << 16);
    EXPECT_EQ(TranslateColour(0x80000001), 0x808000); // no palette role: classic
    EXPECT_EQ(TranslateColour(0x80000040), -1);
}
