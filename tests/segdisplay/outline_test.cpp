// Border ring, rounded outline as the widget's mask, picture modes, and the
// display as assistive technology sees it.
#include "displaytestutil.h"

#include <QAccessible>
#include <QAccessibleInterface>

namespace {

constexpr unsigned kBlue = 0x0000FF;

TEST(Outline, SquareCornersGiveTheFullRectangleAndAnEvenRing)
{
    auto d = sizedDisplay(100, 40);
    EXPECT_TRUE(d->mask().xored(QRegion(0, 0, 100, 40)).isEmpty());
    d->setBorderWidth(3);
    for (const QPoint p : { QPoint(0, 0), QPoint(2, 20), QPoint(99, 39), QPoint(50, 37) })
        EXPECT_EQ(pixelAt(*d, p.x(), p.y()), kBlue) << p.x() << "," << p.y();
    EXPECT_EQ(pixelAt(*d, 3, 3), 0u);
}

TEST(Outline, CurvedCornerBecomesTheMaskAndTheBorderFollowsIt)
{
    auto d = sizedDisplay(100, 40);
    d->setCurveTopLeft(10);
    const QRegion mask = d->mask();
    EXPECT_FALSE(mask.contains(QPoint(0, 0)));
    EXPECT_FALSE(mask.contains(QPoint(1, 1)));
    EXPECT_TRUE(mask.contains(QPoint(10, 0)));
    EXPECT_TRUE(mask.contains(QPoint(0, 10)));
    EXPECT_TRUE(mask.contains(QPoint(99, 0))); // other corners stay square
    EXPECT_TRUE(mask.contains(QPoint(5, 5)));
    // The ring runs along the curve: the first masked pixel of each row is border.
    for (int y = 0; y < 10; ++y) {
        int x = 0;
        while (!mask.contains(QPoint(x, y)))
            ++x;
        EXPECT_EQ(pixelAt(*d, x, y), kBlue) << "row " << y;
    }
    // Outside pixels are kept out of the mask, so they neither show nor take clicks.
    const QImage shaped = surfaceWithinShape(*d, 0);
    EXPECT_EQ(qAlpha(shaped.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(shaped.pixel(50, 20)), 255);
}

TEST(Outline, ZeroBorderPaintsNoRingButStillShapesTheWindow)
{
    auto d = sizedDisplay(100, 40);
    d->setBorderWidth(0);
    EXPECT_EQ(pixelAt(*d, 0, 0), 0u);
    EXPECT_EQ(pixelAt(*d, 99, 39), 0u);
    d->setCurveBottomRight(8);
    EXPECT_FALSE(d->mask().contains(QPoint(99, 39)));
}

// A 40x30 display showing only its background picture in the given mode.
std::unique_ptr<SegmentDisplay> pictureDisplay(int mode, const QImage& picture)
{
    auto d = sizedDisplay(40, 30);
    d->setShowBurnIn(false);
    d->setValue(QStringLiteral(" "));
    d->setPictureMode(mode);
    d->setPicture(std::make_shared<QImage>(picture));
    return d;
}

TEST(Outline, TiledPictureRepeatsFromTheInnerCorner)
{
    QImage tile(4, 4, QImage::Format_RGB32);
    tile.fill(QColor(0, 0, 0));
    tile.setPixel(0, 0, qRgb(255, 0, 0));
    const auto d = pictureDisplay(2, tile);
    EXPECT_EQ(pixelAt(*d, 1, 1), 0xFF0000u); // pattern origin at (B, B)
    EXPECT_EQ(pixelAt(*d, 5, 5), 0xFF0000u);
    EXPECT_EQ(pixelAt(*d, 2, 1), 0u);
    EXPECT_EQ(pixelAt(*d, 0, 0), kBlue);
}

TEST(Outline, StretchedPictureFillsTheInside)
{
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.fill(QColor(0, 255, 0));
    const auto d = pictureDisplay(1, picture);
    EXPECT_EQ(pixelAt(*d, 20, 15), 0x00FF00u);
    EXPECT_EQ(pixelAt(*d, 38, 28), 0x00FF00u);
}

TEST(Outline, RegularPictureSitsAtItsNaturalSizeUnderTheBorder)
{
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(QColor(0, 255, 0));
    const auto d = pictureDisplay(0, picture);
    EXPECT_EQ(pixelAt(*d, 5, 5), 0x00FF00u);
    EXPECT_EQ(pixelAt(*d, 0, 5), kBlue);
    EXPECT_EQ(pixelAt(*d, 20, 15), 0u) << "outside the picture the surface keeps what it had";
}

TEST(Outline, EmptyPictureShowsTheGradient)
{
    auto d = sizedDisplay(40, 30);
    d->setBackColor1(0x0000FF);
    d->setBackColor2(0x0000FF);
    d->setPicture(std::make_shared<QImage>());
    EXPECT_EQ(pixelAt(*d, 20, 2), 0xFF0000u);
    d->setPicture(nullptr);
    EXPECT_EQ(pixelAt(*d, 20, 2), 0xFF0000u);
}

TEST(Outline, GradientChangeAlsoRenewsTheErasingCopy)
{
    auto d = sizedDisplay();
    d->setShowBurnIn(false);
    d->setBackColor1(0x00FF00);
    d->setBackColor2(0x00FF00);
    // A repainted blank cell shows the new gradient, not a box of the old one.
    d->setValue(QStringLiteral("1"));
    EXPECT_EQ(pixelAt(*d, 6 + 17 * 18 + 5, 10), 0x00FF00u);
}

TEST(Accessibility, ValueIsTheAccessibleValueAndTheNameIsTheHosts)
{
    auto d = sizedDisplay();
    d->setValue(QStringLiteral("-12.5"));
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(d.get());
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->text(QAccessible::Value), QStringLiteral("-12.5"));
    d->setAccessibleName(QStringLiteral("温度"));
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("温度"));
    d->setValue(QStringLiteral(".5"));
    EXPECT_EQ(iface->text(QAccessible::Value), QStringLiteral("0.5"));
}

} // namespace
