// The temperature controller's answers and readings, without a terminal.
#include "tempboard.h"

#include <gtest/gtest.h>

namespace {

TEST(TempBoard, SetpointCycleAnswersWithModeSignalsInsideLines)
{
    TempBoardOptions options;
    options.setpoint = 30;
    TempBoard board(options);
    struct Step {
        char command;
        const char* answer;
    };
    constexpr Step kSteps[] = {
        { '5', "" }, { '4', "" }, { '6', "" }, // measuring: only "3" is understood
        { '3', "30O\r\n" }, { '5', "31C\r\n" }, { '5', "32C\r\n" }, { '4', "31C\r\n" }, { 'x', "" },
        { '6', "25N\r\n" }, { '6', "" }, // leaving: the temperature
    };
    for (const Step& s : kSteps)
        EXPECT_EQ(board.command(s.command), s.answer) << "after '" << s.command << "'";
    EXPECT_EQ(board.setpoint(), 31);
    EXPECT_FALSE(board.setpointMode());
}

TEST(TempBoard, LeavingSetpointModeShowsTheCurrentTemperature)
{
    TempBoardOptions drifting;
    drifting.start = drifting.min = drifting.max = 27;
    TempBoardOptions scripted;
    scripted.scripted = true;
    scripted.script = { "21", "23.5" };
    struct Case {
        TempBoardOptions options;
        int ticks;
        const char* leaving;
    };
    const Case cases[] = {
        { drifting, 1, "27N\r\n" },
        { scripted, 0, "25N\r\n" },
        { scripted, 2, "23.5N\r\n" },
    };
    for (const Case& c : cases) {
        TempBoard board(c.options);
        for (int i = 0; i < c.ticks; ++i)
            board.tick();
        board.command('3');
        board.command('5');
        EXPECT_EQ(board.command('6'), c.leaving) << c.ticks << " ticks";
    }
}

TEST(TempBoard, SetpointModeShowsTheSetpointAndStaysTwoDigit)
{
    TempBoardOptions options;
    options.setpoint = 99;
    TempBoard board(options);
    board.command('3');
    EXPECT_EQ(board.tick(), "99C\r\n");
    EXPECT_EQ(board.command('5'), "99C\r\n");
    TempBoardOptions low;
    low.setpoint = 0;
    TempBoard cold(low);
    cold.command('3');
    EXPECT_EQ(cold.command('4'), "00C\r\n");
}

TEST(TempBoard, DriftStaysInRangeAndMovesSlowly)
{
    TempBoardOptions options;
    options.start = 25;
    options.min = 24;
    options.max = 27;
    TempBoard board(options);
    int previous = 25;
    bool moved = false;
    for (int i = 0; i < 500; ++i) {
        const std::string line = board.tick();
        ASSERT_EQ(line.size(), 5u);
        EXPECT_EQ(line.substr(2), "C\r\n");
        const int value = std::stoi(line.substr(0, 2));
        EXPECT_GE(value, 24);
        EXPECT_LE(value, 27);
        EXPECT_LE(std::abs(value - previous), 1);
        moved = moved || value != previous;
        previous = value;
    }
    EXPECT_TRUE(moved);
}

TEST(TempBoard, ScriptIsSentInOrderThenSilence)
{
    TempBoardOptions options;
    options.scripted = true;
    options.script = { "25", "100", "9" };
    TempBoard board(options);
    EXPECT_EQ(board.tick(), "25C\r\n");
    EXPECT_EQ(board.tick(), "100C\r\n");
    EXPECT_EQ(board.tick(), "9C\r\n");
    EXPECT_EQ(board.tick(), "");
}

TEST(TempBoard, HoverStaysNearTheMarkOnBothSidesInTurn)
{
    for (const int mark : { 1, 30, 99 }) {
        TempBoardOptions options;
        options.hover = mark;
        TempBoard board(options);
        for (int i = 0; i < 200; ++i) {
            const std::string line = board.tick();
            ASSERT_EQ(line.substr(2), "C\r\n") << mark;
            const int value = std::stoi(line.substr(0, 2));
            EXPECT_LE(std::abs(value - mark), 2) << mark << " reading " << i;
            EXPECT_EQ(value >= mark, i % 2 == 0) << mark << " reading " << i << ": " << value;
        }
    }
}

TEST(TempBoard, HangingSendsAndAnswersNothingThenResumes)
{
    struct Case {
        int hangAfter;
        int hangForMs; // at an interval of 100 ms
        int silentTicks; // -1: for good
    };
    constexpr Case kCases[] = { { 3, 0, -1 }, { 0, 0, -1 }, { 2, 250, 3 }, { 1, 100, 1 } };
    for (const Case& c : kCases) {
        TempBoardOptions options;
        options.intervalMs = 100;
        options.start = options.min = options.max = 26;
        options.hangAfter = c.hangAfter;
        options.hangForMs = c.hangForMs;
        TempBoard board(options);
        for (int i = 0; i < c.hangAfter; ++i)
            EXPECT_EQ(board.tick(), "26C\r\n") << c.hangAfter;
        const int silent = c.silentTicks < 0 ? 50 : c.silentTicks;
        for (int i = 0; i < silent; ++i) {
            EXPECT_EQ(board.command('3'), "") << c.hangAfter << " hung, tick " << i;
            EXPECT_EQ(board.tick(), "") << c.hangAfter << " hung, tick " << i;
        }
        EXPECT_FALSE(board.setpointMode()) << "a hung board ignores the commands";
        EXPECT_EQ(board.command('3'), c.silentTicks < 0 ? "" : "30O\r\n") << c.hangAfter;
        EXPECT_EQ(board.tick(), c.silentTicks < 0 ? "" : "30C\r\n") << c.hangAfter;
    }
}

} // namespace
