// Framing of key lines and the key table's dispatch order.
#include "keytable.h"
#include "lineframer.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

// Feeds the characters one per call, as the port delivers them, and returns
// the completed lines.
QStringList feed(LineFramer& buffer, const QString& chars)
{
    QStringList lines;
    for (QChar c : chars) {
        if (const std::optional<QString> line = buffer.add(QString(c)))
            lines.append(*line);
    }
    return lines;
}

TEST(KeyLineFraming, LineEndsOnlyWithCrLf)
{
    LineFramer b;
    EXPECT_TRUE(feed(b, QStringLiteral("AB\r")).isEmpty());
    EXPECT_EQ(b.pending(), QStringLiteral("AB\r"));
    EXPECT_EQ(feed(b, QStringLiteral("\n")), QStringList { QStringLiteral("AB") });
    // A lone CR stays inside the line.
    EXPECT_EQ(feed(b, QStringLiteral("A\rB\r\n")), QStringList { QStringLiteral("A\rB") });
    // An empty line is a line.
    EXPECT_EQ(feed(b, QStringLiteral("\r\n")), QStringList { QString() });
    // LF CR is no line end.
    EXPECT_TRUE(feed(b, QStringLiteral("X\n\r")).isEmpty());
}

TEST(KeyLineFraming, NoiseBeforeFirstLineBecomesItsBeginning)
{
    LineFramer b;
    EXPECT_EQ(feed(b, QStringLiteral("\x7f~zK1\r\nK2\r\n")),
        (QStringList { QStringLiteral("\x7f~zK1"), QStringLiteral("K2") }));
}

TEST(KeyLineFraming, EndlessLineKeepsItsNewestCharacters)
{
    LineFramer b;
    QString noise;
    for (int i = 0; i < 10000; ++i)
        noise += QChar(u'a' + i % 26);
    EXPECT_TRUE(feed(b, noise).isEmpty());
    EXPECT_EQ(b.pending().size(), LineFramer::kMaxPending);
    EXPECT_EQ(b.pending(), noise.right(LineFramer::kMaxPending));
    const QStringList lines = feed(b, QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines.front().endsWith(noise.right(100)));
}

TEST(KeyTableTest, UntaughtTableMatchesOnlyTheEmptyLineInDispatchOrder)
{
    KeyTable t;
    // The fixed comparison order, as the receiver's key link has it.
    EXPECT_EQ(t.matches(QString()), (std::vector<int> { 6, 5, 7, 2, 1, 4, 3, 9, 10, 8, 12, 11 }));
    EXPECT_TRUE(t.matches(QStringLiteral("x")).empty());
}

TEST(KeyTableTest, CodesCompareExactly)
{
    KeyTable t;
    for (int n = 1; n <= 12; ++n)
        t.setCode(n, QStringLiteral("K%1").arg(n));
    t.setCode(7, QStringLiteral("a1"));
    EXPECT_EQ(t.matches(QStringLiteral("a1")), std::vector<int> { 7 });
    EXPECT_TRUE(t.matches(QStringLiteral("A1")).empty());
    EXPECT_TRUE(t.matches(QStringLiteral("a1 ")).empty());
    EXPECT_TRUE(t.matches(QString()).empty());
    EXPECT_EQ(t.matches(QStringLiteral("K12")), std::vector<int> { 12 });
}

TEST(KeyTableTest, SharedCodeRunsEveryHolderInDispatchOrder)
{
    KeyTable t;
    for (int n = 1; n <= 12; ++n)
        t.setCode(n, QStringLiteral("K%1").arg(n));
    t.setCode(5, QStringLiteral("S"));
    t.setCode(6, QStringLiteral("S"));
    EXPECT_EQ(t.matches(QStringLiteral("S")), (std::vector<int> { 6, 5 }));
    t.setCode(11, QStringLiteral("S"));
    t.setCode(1, QStringLiteral("S"));
    EXPECT_EQ(t.matches(QStringLiteral("S")), (std::vector<int> { 6, 5, 1, 11 }));
}

} // namespace
