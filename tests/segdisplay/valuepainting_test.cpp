// Painting the Value text: which cells are repainted, the sign colours,
// marks, colon, exponent and alignment, checked on the surface's pixels.
#include "displaytestutil.h"

namespace {

constexpr unsigned kLit = 0x00FFFF; // SegmentLitColor default, as RGB
constexpr unsigned kBurnIn = 0x005050; // BurnInColor default, as RGB
constexpr unsigned kRed = 0xFF0000;

// Default layout at 403x31: cells 11x21 from x = 6, 17 apart, top 5;
// segment a of a cell lies at (X + 2, 5), segment g at (X + 2, 14).
int cellX(int i)
{
    return 6 + 17 * i;
}
unsigned segmentA(const SegmentDisplay& d, int cell)
{
    return pixelAt(d, cellX(cell) + 3, 5);
}
unsigned segmentG(const SegmentDisplay& d, int cell)
{
    return pixelAt(d, cellX(cell) + 3, 14);
}

TEST(ValuePainting, DefaultsFillTheRightHalfAndBurnInTheRest)
{
    auto d = sizedDisplay();
    for (int cell = 0; cell < 10; ++cell)
        EXPECT_EQ(segmentA(*d, cell), kBurnIn) << cell;
    EXPECT_EQ(segmentA(*d, 10), kBurnIn); // "1" has no top bar
    EXPECT_EQ(segmentA(*d, 11), kLit); // "2"
    EXPECT_EQ(segmentG(*d, 19), kBurnIn); // "0" has no middle bar
    EXPECT_EQ(d->digits().LastMain, QStringLiteral("          1234567890"));
}

TEST(ValuePainting, OnlyChangedCellsAreRepaintedAndEachRowRefreshedOnce)
{
    auto d = sizedDisplay();
    DrawCounters before = d->counters();
    d->setValue(QStringLiteral("1234567891"));
    EXPECT_EQ(d->counters().cellPaints - before.cellPaints, 1);
    EXPECT_EQ(d->counters().refreshes - before.refreshes, 2); // main row and exponent row
    before = d->counters();
    d->setValue(QStringLiteral("1234567891"));
    EXPECT_EQ(d->counters().cellPaints - before.cellPaints, 0);
}

TEST(ValuePainting, SignChangeRepaintsEveryCellInTheOtherColours)
{
    auto d = sizedDisplay();
    d->setSegmentLitColorNeg(0x0000FF); // red
    DrawCounters before = d->counters();
    d->setValue(QStringLiteral("-12.5"));
    EXPECT_EQ(d->counters().cellPaints - before.cellPaints, 24);
    EXPECT_EQ(segmentG(*d, 16), kRed); // the minus before the 1
    EXPECT_EQ(pixelAt(*d, 325, 23), kRed); // the decimal mark after the cell holding the 2
    before = d->counters();
    d->setValue(QStringLiteral("12.5"));
    EXPECT_EQ(d->counters().cellPaints - before.cellPaints, 24);
    EXPECT_EQ(pixelAt(*d, 325, 23), kLit);
    EXPECT_EQ(segmentG(*d, 16), kBurnIn);
    before = d->counters();
    d->setValue(QStringLiteral("-0"));
    EXPECT_EQ(d->counters().cellPaints - before.cellPaints, 3) << "minus zero is not negative";
}

TEST(ValuePainting, LongTextKeepsItsRightmostCharacters)
{
    auto d = sizedDisplay();
    d->setNumDigits(4);
    d->setValue(QStringLiteral("123456"));
    EXPECT_EQ(d->digits().LastMain, QStringLiteral("3456"));
    EXPECT_EQ(segmentA(*d, 0), kLit); // 3
    EXPECT_EQ(segmentA(*d, 1), kBurnIn); // 4
    // A "." among the dropped characters paints no mark.
    d->setValue(QStringLiteral("1.23456"));
    EXPECT_EQ(d->digits().DecimalMarkPos.x, -1);
    EXPECT_EQ(d->digits().LastMain, QStringLiteral("3456"));
}

TEST(ValuePainting, ExponentRow)
{
    auto d = sizedDisplay();
    d->setValue(QStringLiteral("1.5E-3"));
    EXPECT_EQ(d->digits().LastExp, QStringLiteral("-003"));
    EXPECT_EQ(d->digits().LastMain.trimmed(), QStringLiteral("15"));
    // Exponent cells are 9x17 from x = 356, 11 apart; the minus is segment g.
    EXPECT_EQ(pixelAt(*d, 358, 12), kLit);
    EXPECT_EQ(pixelAt(*d, 358, 5), kBurnIn);
    d->setValue(QStringLiteral("7"));
    EXPECT_EQ(d->digits().LastExp, QStringLiteral("    "));
    EXPECT_EQ(pixelAt(*d, 358, 12), kBurnIn);
    // Without burn-in a blank cell shows only the background.
    d->setShowBurnIn(false);
    EXPECT_EQ(pixelAt(*d, 358, 12), 0u);
    EXPECT_EQ(segmentA(*d, 0), 0u);
}

TEST(ValuePainting, ThousandsMarksFollowEveryGroup)
{
    auto d = sizedDisplay();
    d->setNumDigits(10);
    d->setShowThousandsSeparator(true);
    d->setValue(QStringLiteral("1234567"));
    const std::vector<bool> want { false, false, false, true, false, false, true, false, false, false };
    EXPECT_EQ(d->digits().ThousandsMarks, want);
    // Comma strokes hang from (X + 8, 22); their top row is 2 below that.
    EXPECT_EQ(pixelAt(*d, cellX(3) + 12, 24), kLit);
    EXPECT_EQ(pixelAt(*d, cellX(4) + 12, 24), 0u);
    d->setValue(QStringLiteral("123"));
    EXPECT_EQ(pixelAt(*d, cellX(3) + 12, 24), 0u) << "an unmarked comma is erased";
}

TEST(ValuePainting, ColonDotsArePlacedAndErased)
{
    auto d = sizedDisplay();
    d->setValue(QStringLiteral("12:34"));
    EXPECT_EQ(d->digits().ColonPos.x, 309);
    EXPECT_EQ(pixelAt(*d, 309, 10), kLit);
    EXPECT_EQ(pixelAt(*d, 309, 18), kLit);
    EXPECT_EQ(d->digits().LastMain.trimmed(), QStringLiteral("1234"));
    d->setValue(QStringLiteral("1234"));
    EXPECT_EQ(d->digits().ColonPos.x, -1);
    EXPECT_EQ(pixelAt(*d, 309, 10), 0u);
    EXPECT_EQ(pixelAt(*d, 309, 18), 0u);
}

TEST(ValuePainting, LettersUseTheirOwnPatternsAndOthersShowAsZero)
{
    auto d = sizedDisplay();
    d->setValue(QStringLiteral("bx"));
    EXPECT_EQ(d->Value(), QStringLiteral("BX"));
    EXPECT_EQ(segmentA(*d, 18), kBurnIn); // b: no top bar
    EXPECT_EQ(segmentG(*d, 18), kLit);
    EXPECT_EQ(segmentA(*d, 19), kLit); // X shows as 0
    EXPECT_EQ(segmentG(*d, 19), kBurnIn);
}

} // namespace
