// Line framing, the alarm test and the chart's sample conversion.
#include "linkprotocol.h"

#include "lineframer.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

// The readings the console takes from the characters, one per receive event.
QStringList feed(LineFramer& framer, const QString& text)
{
    QStringList lines;
    for (const QChar c : text) {
        if (const std::optional<QString> line = framer.add(QString(c)))
            lines << readingOfLine(*line);
    }
    return lines;
}

TEST(ConsoleReading, CutsTheFurtherCharacterAndLineEnd)
{
    struct Case {
        const char* input;
        QStringList lines;
        const char* left;
    };
    const Case cases[] = {
        { "25X\r\n", { "25" }, "" },
        { "25O\r\n", { "25" }, "" },
        { "X\r\n", { "" }, "" },
        { "\r\n", { "\r\n" }, "" }, // too short to cut: handed over whole
        { "25X\r\n31C\r\n7", { "25", "31" }, "7" },
        { "2\r5X\r\n", { "2\r5" }, "" },
        { "25X\n\r", {}, "25X\n\r" },
    };
    for (const Case& c : cases) {
        LineFramer framer;
        EXPECT_EQ(feed(framer, QString::fromLatin1(c.input)), c.lines) << c.input;
        EXPECT_EQ(framer.pending(), QString::fromLatin1(c.left)) << c.input;
    }
}

TEST(ConsoleReading, LineThatNeverEndsStaysBounded)
{
    LineFramer framer;
    EXPECT_TRUE(feed(framer, QString(10000, u'a')).isEmpty());
    EXPECT_EQ(framer.pending().size(), LineFramer::kMaxPending);
    const QStringList lines = feed(framer, "25X\r\n");
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines[0].size(), LineFramer::kMaxPending - 3);
    EXPECT_TRUE(lines[0].endsWith("aa25"));
    EXPECT_TRUE(framer.pending().isEmpty());
}

TEST(AlarmTest, NumbersAsNumbersOtherwiseText)
{
    struct Case {
        const char* reading;
        const char* setpoint;
        bool alarm;
    };
    constexpr Case cases[] = {
        { "25", "30", false },
        { "35", "30", true },
        { "30", "30", true },
        { "100", "30", true },
        { "9", "30", false },
        { "30.0", "30", true },
        { "29.99", "30", false },
        { "-5", "-10", true },
        { "030", "30", true },
        { " 25", "30", false },
        // no set-point stored yet: never an alarm
        { "25", "", false },
        { "25", " ", false },
        { "", "", false },
        // not both numbers: character codes decide
        { "", "30", false },
        { "ab", "30", true },
        { "O28", "30", true },
        { "2a", "30", false },
    };
    for (const Case& c : cases)
        EXPECT_EQ(readingAtOrAbove(c.reading, c.setpoint), c.alarm) << c.reading << " vs " << c.setpoint;
}

TEST(ChartSample, RoundsHalvesToEvenWithin32Bits)
{
    struct Case {
        const char* text;
        std::optional<std::int32_t> value;
    };
    const Case cases[] = {
        { "25", 25 },
        { "25.5", 26 },
        { "26.5", 26 },
        { "0.5", 0 },
        { "1.5", 2 },
        { "0.51", 1 },
        { "26.49", 26 },
        { "-2.5", -2 },
        { "-3.5", -4 },
        { " 7\t", 7 },
        { "+8", 8 },
        { "1e3", 1000 },
        { "2.5E0", 2 },
        { "25e-1", 2 },
        { ".5", 0 },
        { "7.", 7 },
        { "0", 0 },
        { "-0", 0 },
        { "2147483647", 2147483647 },
        { "-2147483648", std::numeric_limits<std::int32_t>::min() },
        { "-2147483648.5", std::numeric_limits<std::int32_t>::min() },
        { "2147483647.5", std::nullopt },
        { "2147483648", std::nullopt },
        { "99999999999", std::nullopt },
        { "1e999", std::nullopt },
        { "", std::nullopt },
        { " ", std::nullopt },
        { ".", std::nullopt },
        { "25X", std::nullopt },
        { "abc", std::nullopt },
        { "1e", std::nullopt },
        { "\r\n", std::nullopt },
        { "2 5", std::nullopt },
    };
    for (const Case& c : cases)
        EXPECT_EQ(chartSample(c.text), c.value) << '"' << c.text << '"';
}

} // namespace
