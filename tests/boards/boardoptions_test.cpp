// The simulators' shared command-line parser and the held key's timing.
#include "heldkey.h"
#include "optiontable.h"

#include <gtest/gtest.h>

namespace {

struct Parsed {
    int interval = 1000;
    std::string link;
    bool quiet = false;
    std::vector<std::string> operands;
};

boardio::CommandLine sample(Parsed& p)
{
    using namespace boardio;
    return { "sample", "[options] FILE...", "Does nothing.\n",
        {
            { "--interval", "MS", "time between readings", intInto(p.interval, 1, 5000) },
            { "--link", "PATH", "first line\nsecond line", textInto(p.link) },
            { "--quiet", "", "say nothing", setFlag(p.quiet) },
        },
        [&p](const std::string& arg) {
            p.operands.push_back(arg);
            return std::string();
        },
        [&p] { return p.operands.empty() ? std::string("no file given") : std::string(); }, "Bye.\n" };
}

TEST(OptionTable, ParsesOrSaysWhy)
{
    struct Case {
        std::vector<std::string> args;
        boardio::Outcome outcome;
        const char* error;
    };
    using boardio::Outcome;
    const Case cases[] = {
        { { "--interval", "20", "a", "--quiet", "b" }, Outcome::Run, "" },
        { { "--bogus", "--help" }, Outcome::Help, "" },
        { { "a", "-h" }, Outcome::Help, "" },
        { { "--bogus", "--version" }, Outcome::Version, "" },
        { { "--version", "--help" }, Outcome::Help, "" },
        { { "--interval" }, Outcome::Refused, "--interval needs a value (MS)" },
        { { "--interval", "0", "a" }, Outcome::Refused, "--interval 0: needs a whole number from 1 to 5000" },
        { { "--interval", "12x", "a" }, Outcome::Refused,
            "--interval 12x: needs a whole number from 1 to 5000" },
        { { "--link", "", "a" }, Outcome::Refused, "--link: needs a value that is not empty" },
        { { "--bogus", "a" }, Outcome::Refused, "unknown option --bogus" },
        { { "--quiet" }, Outcome::Refused, "no file given" },
    };
    for (const Case& c : cases) {
        Parsed p;
        const boardio::ParseResult result = boardio::parseCommandLine(sample(p), c.args);
        EXPECT_EQ(result.outcome, c.outcome) << c.args.front();
        EXPECT_EQ(result.error, c.error) << c.args.front();
    }
    Parsed p;
    boardio::parseCommandLine(sample(p), cases[0].args);
    EXPECT_EQ(p.interval, 20);
    EXPECT_TRUE(p.quiet);
    EXPECT_EQ(p.operands, (std::vector<std::string> { "a", "b" }));
}

TEST(OptionTable, HelpListsEveryOptionInOneColumn)
{
    Parsed p;
    EXPECT_EQ(boardio::helpText(sample(p)),
        "Usage: sample [options] FILE...\n"
        "Does nothing.\n"
        "\n"
        "Options:\n"
        "  --interval MS      time between readings\n"
        "  --link PATH        first line\n"
        "                     second line\n"
        "  --quiet            say nothing\n"
        "  -h, --help         show this help\n"
        "  --version          show the version\n"
        "Bye.\n");
}

TEST(HeldKey, InputLines)
{
    struct Case {
        const char* line;
        const char* code;
        int holdMs;
    };
    constexpr Case kCases[] = {
        { "20DF40BF*1500", "20DF40BF", 1500 },
        { "20DF40BF", "20DF40BF", 0 },
        { "A*B*20", "A*B", 20 },
        { "KEY*", "KEY*", 0 },
        { "*100", "*100", 0 },
        { "X*-5", "X*-5", 0 },
        { "X*1e3", "X*1e3", 0 },
        { "X*99999999999", "X*99999999999", 0 },
    };
    for (const Case& c : kCases) {
        const irboard::KeyLine key = irboard::parseKeyLine(c.line);
        EXPECT_EQ(key.code, c.code) << c.line;
        EXPECT_EQ(key.holdMs, c.holdMs) << c.line;
    }
}

TEST(HeldKey, RepeatsFollowNecTiming)
{
    using std::chrono::microseconds;
    // The first repeat frame begins 108 ms after the key frame began (67.5 ms
    // of frame and its stop bit, then about 40 ms of pause) and takes 11.8 ms.
    EXPECT_EQ(irboard::repeatDue(0), microseconds(108000 - 68030 + 11812));
    EXPECT_EQ(irboard::repeatDue(3) - irboard::repeatDue(2), microseconds(108000));
    struct Case {
        int holdMs;
        int repeats;
    };
    constexpr Case kCases[] = { { 0, 0 }, { 51, 0 }, { 52, 1 }, { 159, 1 }, { 160, 2 }, { 1500, 14 } };
    for (const Case& c : kCases)
        EXPECT_EQ(irboard::repeatCount(c.holdMs), c.repeats) << c.holdMs;
}

} // namespace
