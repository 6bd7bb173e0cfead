// Size and time texts of the song information frame.
#include "infotext.h"

#include <gtest/gtest.h>

namespace {

struct SizeCase {
    qint64 size;
    const char* text;
};

class SizeTextTest : public testing::TestWithParam<SizeCase> { };

TEST_P(SizeTextTest, FormatsUnitAndShortestRoundedNumber)
{
    EXPECT_EQ(SizeText(GetParam().size), QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Table, SizeTextTest,
    testing::Values(SizeCase { 0, "0字节" }, SizeCase { 512, "512字节" }, SizeCase { 1023, "1023字节" },
        SizeCase { 1024, "1KB" }, SizeCase { 1536, "1.5KB" },
        // 1.125 ties to the even 1.12; 1.375 to 1.38
        SizeCase { 1152, "1.12KB" }, SizeCase { 1408, "1.38KB" },
        // 1.0009.. rounds down to a whole number
        SizeCase { 1025, "1KB" }, SizeCase { 1034, "1.01KB" }, SizeCase { 1048575, "1024KB" },
        SizeCase { 1048576, "1024KB" }, SizeCase { 1048577, "1MB" }, SizeCase { 3500000, "3.34MB" },
        // ties in megabytes: 1.125 -> 1.12, 1.375 -> 1.38;
        // just below a tie rounds down
        SizeCase { 1179648, "1.12MB" }, SizeCase { 1441792, "1.38MB" }, SizeCase { 2626682, "2.5MB" },
        SizeCase { 1073741824, "1024MB" }, SizeCase { 1099511627776LL, "1048576MB" }));

TEST(TimeTextTest, MinutesAndSecondsCutToWholeSeconds)
{
    EXPECT_EQ(TimeText(0), QStringLiteral("00:00"));
    EXPECT_EQ(TimeText(-5), QStringLiteral("00:00"));
    EXPECT_EQ(TimeText(999), QStringLiteral("00:00"));
    EXPECT_EQ(TimeText(2000), QStringLiteral("00:02"));
    EXPECT_EQ(TimeText(59999), QStringLiteral("00:59"));
    EXPECT_EQ(TimeText(61000), QStringLiteral("01:01"));
    EXPECT_EQ(TimeText(100LL * 60 * 1000 + 7000), QStringLiteral("100:07"));
}

} // namespace
