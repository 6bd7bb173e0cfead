// Turning Value texts into cells: normalising, the sign, the exponent split,
// patterns and the mark cells.
#include "valuetext.h"

#include <gtest/gtest.h>

namespace {

TEST(ValueText, NormalisesCaseAndLeadingPoint)
{
    struct Case {
        const char* in;
        const char* out;
    };
    for (const Case& c : { Case { ".25", "0.25" }, Case { "abc", "ABC" }, Case { "1.5e-3", "1.5E-3" },
             Case { "-.5", "-.5" }, Case { "", "" }, Case { "..", "0.." } }) {
        QString text = QString::fromUtf8(c.in);
        normaliseValue(text);
        EXPECT_EQ(text, QString::fromUtf8(c.out)) << c.in;
    }
    // One character for one: a letter whose capital is two letters keeps its length.
    QString sharp = QStringLiteral("\u00df1");
    normaliseValue(sharp);
    EXPECT_EQ(sharp.size(), 2);
}

TEST(ValueText, SignOfTheLeadingNumber)
{
    for (const char* negative : { "-12.5", "-3.5E-12", " - 5", "-.5", "-0.001", "\t-7" })
        EXPECT_TRUE(valueIsNegative(QString::fromUtf8(negative))) << negative;
    for (const char* notNegative :
        { "12.5", "-0", "-0.0", "--5", "-", "", "ABC", "-X5", "+3", "1-2", "-0.0.5", "-0E5", "-:5" })
        EXPECT_FALSE(valueIsNegative(QString::fromUtf8(notNegative))) << notNegative;
}

TEST(ValueText, SplitsMainAndExponent)
{
    struct Case {
        const char* text;
        int digitsExp;
        const char* main;
        const char* exp;
        bool found;
    };
    const Case cases[] = {
        { "1.5E-3", 4, "1.5", "-003", true },
        { "2E+12", 4, "2", " 012", true },
        { "2E+12345", 4, "2", " 345", true },
        { "1234", 4, "1234", "    ", false },
        { "1E+2E-3", 4, "1", " E-3", true }, // the first "E+" wins; the rest counts as digits
        { "9E-1:5", 4, "9", "-01:5", true }, // a colon keeps one more character
        { "5E+", 1, "5", " ", true },
    };
    for (const Case& c : cases) {
        const SplitText s = splitValue(QString::fromUtf8(c.text), c.digitsExp);
        EXPECT_EQ(s.main, QString::fromUtf8(c.main)) << c.text;
        EXPECT_EQ(s.exponent, QString::fromUtf8(c.exp)) << c.text;
        EXPECT_EQ(s.hasExponent, c.found) << c.text;
    }
}

TEST(ValueText, PatternRows)
{
    EXPECT_EQ(patternIndex(QLatin1Char(' '), true), 10);
    EXPECT_EQ(patternIndex(QLatin1Char(' '), false), -1);
    EXPECT_EQ(patternIndex(QLatin1Char('-'), false), 11);
    EXPECT_EQ(patternIndex(QLatin1Char('A'), true), 12);
    EXPECT_EQ(patternIndex(QLatin1Char('B'), true), 13);
    EXPECT_EQ(patternIndex(QLatin1Char('C'), true), 14);
    EXPECT_EQ(patternIndex(QLatin1Char('F'), true), 17);
    for (char d = '0'; d <= '9'; ++d)
        EXPECT_EQ(patternIndex(QLatin1Char(d), true), d - '0');
    for (QChar other : { QChar('X'), QChar('+'), QChar('G'), QChar(0x4E2D), QChar(0) })
        EXPECT_EQ(patternIndex(other, true), 0);
}

TEST(ValueText, RightAlignmentKeepsTheRightmostCharacters)
{
    EXPECT_EQ(alignRight(QStringLiteral("12"), 4), QStringLiteral("  12"));
    EXPECT_EQ(alignRight(QStringLiteral("123456"), 4), QStringLiteral("3456"));
    EXPECT_EQ(alignRight(QStringLiteral("12"), 0), QString());
}

std::vector<int> marked(const char* text, int digits, int grouping)
{
    std::vector<int> out;
    const auto marks = markThousands(QString::fromUtf8(text), digits, grouping);
    for (size_t i = 0; i < marks.size(); ++i)
        if (marks[i])
            out.push_back(int(i));
    return out;
}

TEST(ValueText, ThousandsMarkCells)
{
    EXPECT_EQ(marked("1234567", 10, 3), (std::vector<int> { 3, 6 }));
    EXPECT_EQ(marked("-1234", 10, 3), (std::vector<int> { 6 }));
    EXPECT_EQ(marked("1234.56", 10, 3), (std::vector<int> { 4 }));
    EXPECT_EQ(marked("123", 10, 3), (std::vector<int> {}));
    EXPECT_EQ(marked("-123", 10, 3), (std::vector<int> {}));
    EXPECT_EQ(marked("1234567", 10, 2), (std::vector<int> { 3, 5, 7 }));
    // A row shorter than the text: marks only inside the row.
    EXPECT_EQ(marked("123456789", 5, 3), (std::vector<int> { 1 }));
    // Groupings that cannot mark anything.
    EXPECT_EQ(marked("1234567", 10, 0), (std::vector<int> {}));
    EXPECT_EQ(marked("1234567", 10, -3), (std::vector<int> {}));
    EXPECT_EQ(marked("1234567", 10, 1000), (std::vector<int> {}));
    // The "." dropped off the left: no decimal point inside the row.
    EXPECT_EQ(marked("1.23456789", 4, 3), (std::vector<int> {}));
}

TEST(ValueText, MarkCellsAfterRemovalAndAlignment)
{
    EXPECT_EQ(markCell(QStringLiteral("-12.5"), QLatin1Char('.'), 20), 18);
    EXPECT_EQ(markCell(QStringLiteral("12:34"), QLatin1Char(':'), 20), 17);
    EXPECT_EQ(markCell(QStringLiteral("125"), QLatin1Char('.'), 20), -1);
    // The mark's cell fell off the left of the row.
    EXPECT_EQ(markCell(QStringLiteral("1.2345"), QLatin1Char('.'), 3), -2);
    QString main = QStringLiteral("1.2.3");
    removeFirst(main, QLatin1Char('.'));
    EXPECT_EQ(main, QStringLiteral("12.3"));
}

} // namespace
