// The held-key rules as pure logic: which repeat lines run which functions
// again, for presses fed at given times.
#include "keyrepeat.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

using Functions = std::vector<int>;

// One line of a press: a key line that ran `functions`, or a repeat line
// (naming `ofKey` when its source names the held key) expected to run
// `functions` again.
struct Step {
    enum Kind { Key, Repeat } kind;
    qint64 atMs;
    Functions functions;
    std::optional<QString> ofKey = std::nullopt;
    QString code = QStringLiteral("K");
};

struct Case {
    const char* name;
    std::vector<Step> steps;
};

Step key(qint64 at, Functions f, const char* code = "K")
{
    return { Step::Key, at, std::move(f), std::nullopt, QLatin1String(code) };
}

Step repeat(qint64 at, Functions expected, std::optional<QString> ofKey = std::nullopt)
{
    return { Step::Repeat, at, std::move(expected), std::move(ofKey) };
}

const std::vector<Case> kCases {
    { "VolumeRepeatsAtRemoteTimingAfterTheDelay",
        { key(0, { 7 }), repeat(110, {}), repeat(220, {}), repeat(330, {}), repeat(440, { 7 }),
            repeat(550, { 7 }), repeat(660, { 7 }) } },
    { "DelayEndsAt400Ms", { key(0, { 8 }), repeat(200, {}), repeat(399, {}), repeat(400, { 8 }) } },
    { "FolderHighlightRepeats",
        { key(0, { 3 }), repeat(200, {}), repeat(400, { 3 }), key(500, { 4 }), repeat(700, {}),
            repeat(900, { 4 }) } },
    { "ChoosingOpeningAndTogglingNeverRepeat",
        { key(0, { 6 }), repeat(110, {}), repeat(440, {}), repeat(550, {}), key(600, { 11 }),
            repeat(1100, {}), key(1200, { 12 }), repeat(1400, {}), repeat(1600, {}) } },
    { "SharedCodeRepeatsOnlyItsRepeatingFunctionsInOrder",
        { key(0, { 6, 7, 1, 3, 9 }), repeat(200, {}), repeat(400, { 7, 3 }) } },
    { "GapOfExactly250MsKeepsThePress", { key(0, { 7 }), repeat(250, {}), repeat(500, { 7 }) } },
    { "GapOver250MsEndsThePressForGood",
        { key(0, { 7 }), repeat(110, {}), repeat(361, {}), repeat(450, {}), repeat(500, {}) } },
    { "GapIsCountedFromTheLastRepeat",
        { key(0, { 7 }), repeat(200, {}), repeat(420, { 7 }), repeat(640, { 7 }), repeat(891, {}) } },
    { "RepeatAfterALineThatMatchedNothing",
        { key(0, {}), repeat(110, {}), repeat(440, {}), repeat(550, {}) } },
    { "UnmatchedLineEndsTheHeldVolumeKey",
        { key(0, { 7 }), repeat(220, {}), repeat(440, { 7 }), key(500, {}), repeat(610, {}), repeat(720, {}),
            repeat(830, {}) } },
    { "RepeatWithoutAnyKeyLine", { repeat(0, {}), repeat(500, {}) } },
    { "NewKeyStartsItsOwnDelay",
        { key(0, { 7 }), repeat(200, {}), repeat(400, { 7 }), key(500, { 8 }), repeat(600, {}),
            repeat(800, {}), repeat(900, { 8 }) } },
    { "NamedRepeatOnlyOfTheHeldKey",
        { key(0, { 7 }, "KEY_VOLUMEUP"), repeat(200, {}, QStringLiteral("KEY_VOLUMEUP")),
            repeat(400, {}, QStringLiteral("KEY_VOLUMEDOWN")),
            repeat(450, { 7 }, QStringLiteral("KEY_VOLUMEUP")), repeat(500, { 7 }) } },
};

class HeldKey : public testing::TestWithParam<Case> { };

TEST_P(HeldKey, RepeatsRunTheExpectedFunctions)
{
    KeyRepeat machine;
    for (const Step& step : GetParam().steps) {
        if (step.kind == Step::Key) {
            machine.keyLine(step.code, step.functions, step.atMs);
            continue;
        }
        EXPECT_EQ(machine.repeatLine(step.atMs, step.ofKey), step.functions) << "repeat at " << step.atMs;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rules, HeldKey, testing::ValuesIn(kCases), [](const auto& info) { return std::string(info.param.name); });

} // namespace
