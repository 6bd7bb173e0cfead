// Every reference pixel set of the shapes the display builds, reproduced
// exactly: vertex lists, polygon fills, rectangles, ellipses, rounded outlines
// with their border rings, and one-pixel frames.
#include "fixtures.h"
#include "shapes.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace segraster;
using segraster::testing::describe;
using segraster::testing::loadCases;
using segraster::testing::pairsOf;
using segraster::testing::rowsOf;
using segraster::testing::rowsText;

namespace {

std::vector<std::pair<int, int>> pairs(const std::vector<Point>& v)
{
    std::vector<std::pair<int, int>> out;
    for (const Point& p : v)
        out.emplace_back(p.x, p.y);
    return out;
}

// Compares a region with a reference set; reports at most a few cases in full.
void expectRows(const Region& got, const QJsonObject& c, const char* field, int& failures)
{
    const auto want = rowsOf(c, field);
    if (got.toRowList() == want)
        return;
    if (++failures <= 5)
        ADD_FAILURE() << field << " differs for " << describe(c) << "\nwant:\n"
                      << rowsText(want) << "got:\n"
                      << rowsText(got.toRowList());
}

Rect rectOf(const QJsonObject& c, const char* field)
{
    const QJsonArray a = c.value(QLatin1String(field)).toArray();
    return { a.at(0).toInt(), a.at(1).toInt(), a.at(2).toInt(), a.at(3).toInt() };
}

// The shape a frame case names, built by the library's own builders.
Region shapeOf(const QJsonObject& c)
{
    const int H = c.value("H").toInt(), W = c.value("W").toInt();
    const QString entry = c.value("entry").toString();
    if (entry == "comma")
        return *MakeMarkShape(0, H, W, c.value("Y0").toInt());
    if (entry == "dot")
        return *MakeMarkShape(1, H, W, 0);
    return MakeSegmentShape(entry.toInt(), H, W);
}

} // namespace

TEST(RegionFixtures, HexagonsMatchVerticesAndPixels)
{
    int failures = 0;
    for (const QJsonValue& v : loadCases("hexagon.json")) {
        const QJsonObject c = v.toObject();
        const int H = c.value("H").toInt(), W = c.value("W").toInt();
        const int entry = c.value("entry").toString().toInt();
        const auto vertices = entry == 0 ? MakeHexagon(W, H) : MakeHexagon(H, W);
        EXPECT_EQ(pairs(vertices), pairsOf(c.value("v"))) << describe(c);
        expectRows(MakeSegmentShape(entry, H, W), c, "rows", failures);
    }
    EXPECT_EQ(failures, 0);
}

TEST(RegionFixtures, TrapezoidsMatchVerticesAndPixels)
{
    int failures = 0;
    for (const QJsonValue& v : loadCases("trapezoid.json")) {
        const QJsonObject c = v.toObject();
        int a = 0, b = 0, p = 0, q = 0;
        ASSERT_EQ(std::sscanf(c.value("call").toString().toLatin1().constData(), "MakeTrapezoid(%d,%d,%d,%d)",
                      &a, &b, &p, &q),
            4);
        EXPECT_EQ(pairs(MakeTrapezoid(a, b, p, q)), pairsOf(c.value("v"))) << describe(c);
        expectRows(
            MakeSegmentShape(c.value("entry").toString().toInt(), c.value("H").toInt(), c.value("W").toInt()),
            c, "rows", failures);
    }
    EXPECT_EQ(failures, 0);
}

TEST(RegionFixtures, CommaStrokesMatchVerticesAndPixels)
{
    int failures = 0;
    for (const QJsonValue& v : loadCases("comma.json")) {
        const QJsonObject c = v.toObject();
        const int H = c.value("H").toInt(), W = c.value("W").toInt(), Y0 = c.value("Y0").toInt();
        EXPECT_EQ(pairs(MakeCommaStroke(H, W, Y0)), pairsOf(c.value("v"))) << describe(c);
        expectRows(*MakeMarkShape(0, H, W, Y0), c, "rows", failures);
    }
    EXPECT_EQ(failures, 0);
}

TEST(RegionFixtures, RectanglesNormaliseInvertedBoxes)
{
    int failures = 0;
    for (const QJsonValue& v : loadCases("rect.json")) {
        const QJsonObject c = v.toObject();
        expectRows(Region::fromRect(rectOf(c, "rect")), c, "rows", failures);
    }
    EXPECT_EQ(failures, 0);
}

TEST(RegionFixtures, CornerEllipsesAndCuts)
{
    int failures = 0;
    for (const QJsonValue& v : loadCases("ellipse.json")) {
        const QJsonObject c = v.toObject();
        const Rect e = rectOf(c, "ellipse");
        const Region ellipse = Region::fromEllipse(e.left, e.top, e.right, e.bottom);
        expectRows(ellipse, c, "ellipse_rows", failures);
        expectRows(Region::fromRect(rectOf(c, "square")).subtracted(ellipse), c, "cut_rows", failures);
    }
    EXPECT_EQ(failures, 0);
}

TEST(RegionFixtures, RoundedOutlinesAndBorderRings)
{
    int failures = 0;
    for (const QJsonValue& v : loadCases("rounded.json")) {
        const QJsonObject c = v.toObject();
        const int w = c.value("w").toInt(), h = c.value("h").toInt();
        const QJsonArray k = c.value("tl_tr_bl_br").toArray();
        const int tl = k.at(0).toInt(), tr = k.at(1).toInt(), bl = k.at(2).toInt(), br = k.at(3).toInt();
        expectRows(MakeRoundedRegion(0, 0, w, h, tl, tr, bl, br), c, "outer_rows", failures);
        expectRows(MakeBorderRing(w, h, 0, tl, tr, bl, br), c, "ring0_rows", failures);
        expectRows(MakeBorderRing(w, h, 1, tl, tr, bl, br), c, "ring1_rows", failures);
        expectRows(MakeBorderRing(w, h, 3, tl, tr, bl, br), c, "ring3_rows", failures);
    }
    EXPECT_EQ(failures, 0);
}

TEST(RegionFixtures, OnePixelFramesOfEveryShape)
{
    int failures = 0;
    for (const QJsonValue& v : loadCases("frame.json")) {
        const QJsonObject c = v.toObject();
        const Region shape = shapeOf(c);
        if (c.contains("rect")) {
            EXPECT_EQ(shape, Region::fromRect(rectOf(c, "rect"))) << describe(c);
        }
        if (c.contains("v")) {
            std::vector<Point> pts;
            for (auto [x, y] : pairsOf(c.value("v")))
                pts.push_back({ x, y });
            EXPECT_EQ(shape, Region::fromPolygon(pts)) << describe(c);
        }
        expectRows(shape.frame1px(), c, "frame_rows", failures);
    }
    EXPECT_EQ(failures, 0);
}
