// Region operations against a brute-force pixel model, and the constructors'
// behaviour on hostile input.
#include "region.h"
#include "shapes.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <set>

using namespace segraster;

namespace {

using PixelSet = std::set<std::pair<int, int>>;

PixelSet pixelsOf(const Region& r)
{
    PixelSet s;
    r.forEachSpan([&](int y, int x0, int x1) {
        for (int x = x0; x < x1; ++x)
            s.insert({ x, y });
    });
    return s;
}

// Canonical form: rows ascending, spans non-empty, sorted and not touching.
void expectCanonical(const Region& r)
{
    int lastY = INT_MIN;
    for (int i = 0; i < r.rowCount(); ++i) {
        const Region::Row row = r.row(i);
        ASSERT_GT(row.y, lastY);
        ASSERT_FALSE(row.spans.empty());
        lastY = row.y;
        for (std::size_t k = 0; k < row.spans.size(); ++k) {
            ASSERT_LT(row.spans[k].x0, row.spans[k].x1);
            if (k > 0) {
                ASSERT_GT(row.spans[k].x0, row.spans[k - 1].x1);
            }
        }
    }
}

Region randomRegion(std::mt19937& rng)
{
    std::uniform_int_distribution<int> coord(-6, 12);
    Region r;
    for (int i = 0; i < 4; ++i)
        r = r.united(Region::fromRect(coord(rng), coord(rng), coord(rng), coord(rng)));
    return r;
}

} // namespace

TEST(RegionOps, CombineAgreesWithPixelSets)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 300; ++round) {
        const Region a = randomRegion(rng), b = randomRegion(rng);
        const PixelSet pa = pixelsOf(a), pb = pixelsOf(b);
        PixelSet andSet, orSet = pa, diffSet, xorSet;
        for (const auto& p : pa) {
            (pb.count(p) ? andSet : diffSet).insert(p);
            if (!pb.count(p))
                xorSet.insert(p);
        }
        for (const auto& p : pb) {
            orSet.insert(p);
            if (!pa.count(p))
                xorSet.insert(p);
        }
        const Region both[] = { a.intersected(b), a.united(b), a.subtracted(b), a.xored(b) };
        EXPECT_EQ(pixelsOf(both[0]), andSet);
        EXPECT_EQ(pixelsOf(both[1]), orSet);
        EXPECT_EQ(pixelsOf(both[2]), diffSet);
        EXPECT_EQ(pixelsOf(both[3]), xorSet);
        for (const Region& r : both)
            expectCanonical(r);
        // The canonical form makes equal pixel sets equal regions.
        EXPECT_EQ(a.united(b), b.united(a));
        for (const auto& [x, y] : orSet)
            ASSERT_TRUE(both[1].contains(x, y));
        EXPECT_EQ(both[1].pixelCount(), std::int64_t(orSet.size()));
    }
}

TEST(RegionOps, QueriesAndRowLists)
{
    const Region r = Region::fromRowList({ { 3, 5, 8, 1, 2, 7, 9 }, { 1, 0, 1 } });
    EXPECT_EQ(r.toRowList(), (std::vector<std::vector<int>> { { 1, 0, 1 }, { 3, 1, 2, 5, 9 } }));
    EXPECT_EQ(r.boundingRect(), (Rect { 0, 1, 9, 4 }));
    EXPECT_TRUE(r.contains(8, 3));
    EXPECT_FALSE(r.contains(9, 3));
    EXPECT_FALSE(r.contains(3, 3));
    EXPECT_FALSE(r.contains(0, 2));
    EXPECT_EQ(Region().boundingRect(), Rect {});
    EXPECT_TRUE(Region::fromRect(4, 4, 4, 9).isEmpty());
}

TEST(RegionOps, OffsetMovesAndDropsPixelsBeyondTheLimit)
{
    Region r = Region::fromRect(0, 0, 3, 2);
    r.offset(10, -5);
    EXPECT_EQ(r, Region::fromRect(10, -5, 13, -3));
    EXPECT_TRUE(r.translated(INT_MAX, 0).isEmpty());
    EXPECT_TRUE(r.translated(0, INT_MIN).isEmpty());
    // Half pushed out: what stays inside is kept, clipped at the limit.
    const Region edge = Region::fromRect(0, 0, 4, 1).translated(kCoordLimit - 2, 0);
    EXPECT_EQ(edge, Region::fromRect(kCoordLimit - 2, 0, kCoordLimit, 1));
}

TEST(RegionOps, WindingFillsOverlapsAndSelfIntersections)
{
    // A five-point star drawn point to point: the centre winds twice and is in.
    const std::vector<Point> star { { 10, 0 }, { 16, 19 }, { 0, 7 }, { 20, 7 }, { 4, 19 } };
    const Region r = Region::fromPolygon(star);
    EXPECT_TRUE(r.contains(10, 10));
    EXPECT_TRUE(r.contains(10, 2));
    EXPECT_FALSE(r.contains(1, 17));
    // A square traced twice in the same direction is still the square; its
    // right column and bottom row stay out.
    const std::vector<Point> twice { { 0, 0 }, { 4, 0 }, { 4, 4 }, { 0, 4 }, { 0, 0 }, { 4, 0 }, { 4, 4 },
        { 0, 4 } };
    EXPECT_EQ(Region::fromPolygon(twice), Region::fromRect(0, 0, 4, 4));
}

TEST(RegionOps, DegenerateAndHostilePolygonsStayBounded)
{
    EXPECT_TRUE(Region::fromPolygon({}).isEmpty());
    EXPECT_TRUE(Region::fromPolygon(std::vector<Point> { { 0, 0 }, { 5, 5 } }).isEmpty());
    EXPECT_TRUE(Region::fromPolygon(std::vector<Point> { { 0, 0 }, { 5, 5 }, { 10, 10 } }).isEmpty());
    EXPECT_TRUE(Region::fromPolygon(std::vector<Point> { { 0, 3 }, { 9, 3 }, { 4, 3 } }).isEmpty());
    const std::vector<Point> huge { { INT_MIN, INT_MIN }, { INT_MAX, INT_MIN }, { INT_MAX, INT_MAX },
        { INT_MIN, INT_MAX } };
    const Region r = Region::fromPolygon(huge);
    expectCanonical(r);
    EXPECT_LE(r.rowCount(), 2 * kCoordLimit);
    EXPECT_TRUE(r.contains(0, 0));
    const Rect box = r.boundingRect();
    EXPECT_GE(box.left, -kCoordLimit);
    EXPECT_LE(box.right, kCoordLimit);
}

TEST(RegionOps, EllipsesOfEveryProportionHaveNoGaps)
{
    for (int w = 1; w <= 40; ++w) {
        for (int h = 1; h <= 40; ++h) {
            const Region e = Region::fromEllipse(0, 0, w, h);
            expectCanonical(e);
            const Rect box = e.boundingRect();
            // Drops the right column and bottom row; every remaining row is used.
            if (w > 1 && h > 1) {
                ASSERT_EQ(box, (Rect { 0, 0, w - 1, h - 1 })) << w << "x" << h;
                ASSERT_EQ(e.rowCount(), h - 1) << w << "x" << h;
            }
            // Symmetric top to bottom and left to right.
            for (int i = 0; i < e.rowCount(); ++i) {
                const Region::Row row = e.row(i), mirror = e.row(e.rowCount() - 1 - i);
                ASSERT_EQ(row.spans.front().x0, mirror.spans.front().x0);
                ASSERT_EQ(row.spans.front().x0, box.right - row.spans.back().x1) << w << "x" << h;
            }
        }
    }
    const Region big = Region::fromEllipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    EXPECT_LE(big.rowCount(), 2 * kCoordLimit);
    EXPECT_TRUE(big.contains(0, 0));
}

TEST(RegionOps, FrameKeepsPixelsMissingADiagonalNeighbour)
{
    // A 5 x 4 box: its frame is the outer ring, the 3 x 2 inside stays out.
    const Region box = Region::fromRect(0, 0, 5, 4);
    EXPECT_EQ(box.frame1px(), box.subtracted(Region::fromRect(1, 1, 4, 3)));
    // A plus sign: the centre lacks its diagonal neighbours, so it is framed too.
    const Region plus = Region::fromRect(1, 0, 2, 3).united(Region::fromRect(0, 1, 3, 2));
    EXPECT_EQ(plus.frame1px(), plus);
    EXPECT_TRUE(Region().frame1px().isEmpty());
}
