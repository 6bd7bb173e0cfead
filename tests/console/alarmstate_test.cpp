// The alarm's rules without a window: raising with and without an on-delay,
// clearing with a dead band, acknowledging and resounding, the quiet-board
// watch, the exact dead-band arithmetic and the alarm's settings keys.
#include "alarmsettings.h"
#include "alarmstate.h"
#include "linkprotocol.h"

#include <gtest/gtest.h>

namespace {

using Event = AlarmState::Event;

// One thing that happens to the alarm, and what it must answer.
struct Step {
    char what; // 'A' reading at or above, 'B' in the dead band, 'L' below the clear level,
               // 'K' acknowledge, 'T' buzzer tick, 'R' reset
    std::int64_t at;
    Event expected;
    bool sounding;
};

struct Sequence {
    const char* name;
    AlarmTiming timing;
    std::vector<Step> steps;
};

Event apply(AlarmState& alarm, const Step& s, const AlarmTiming& timing)
{
    switch (s.what) {
    case 'A':
        return alarm.reading(true, false, s.at, timing);
    case 'B':
        return alarm.reading(false, false, s.at, timing);
    case 'L':
        return alarm.reading(false, true, s.at, timing);
    case 'K':
        return alarm.acknowledge(s.at);
    case 'T':
        return alarm.tick(s.at, timing);
    default:
        return alarm.reset();
    }
}

TEST(AlarmState, FollowsReadingsAndTheOperator)
{
    const Sequence sequences[] = {
        { "raised at once, cleared below", {},
            { { 'A', 0, Event::Raised, true }, { 'A', 1000, Event::None, true },
                { 'L', 2000, Event::Cleared, false }, { 'L', 3000, Event::None, false },
                { 'A', 4000, Event::Raised, true } } },
        { "the dead band holds it", {},
            { { 'A', 0, Event::Raised, true }, { 'B', 1000, Event::None, true },
                { 'A', 2000, Event::None, true }, { 'B', 3000, Event::None, true },
                { 'L', 4000, Event::Cleared, false } } },
        { "the dead band does not raise", {},
            { { 'B', 0, Event::None, false }, { 'L', 1000, Event::None, false } } },
        { "on-delay: a spike is ignored", { 3000, 0 },
            { { 'A', 0, Event::None, false }, { 'L', 1000, Event::None, false },
                { 'A', 2000, Event::None, false }, { 'A', 4000, Event::None, false },
                { 'A', 5000, Event::Raised, true } } },
        { "on-delay: the wait restarts in the dead band", { 2000, 0 },
            { { 'A', 0, Event::None, false }, { 'B', 1000, Event::None, false },
                { 'A', 2000, Event::None, false }, { 'A', 3999, Event::None, false },
                { 'A', 4000, Event::Raised, true } } },
        { "acknowledged stays raised, never resounds", {},
            { { 'A', 0, Event::Raised, true }, { 'K', 500, Event::Acknowledged, false },
                { 'K', 600, Event::None, false }, { 'A', 1000, Event::None, false },
                { 'T', 999999999, Event::None, false }, { 'L', 2000, Event::Cleared, false },
                { 'A', 3000, Event::Raised, true } } },
        { "resounds after its time, and can be silenced again", { 0, 60000 },
            { { 'A', 0, Event::Raised, true }, { 'K', 1000, Event::Acknowledged, false },
                { 'T', 60999, Event::None, false }, { 'T', 61000, Event::Resounded, true },
                { 'T', 62000, Event::None, true }, { 'K', 62500, Event::Acknowledged, false } } },
        { "nothing to acknowledge", {},
            { { 'K', 0, Event::None, false }, { 'L', 100, Event::None, false } } },
        { "reset clears, once", {},
            { { 'A', 0, Event::Raised, true }, { 'R', 10, Event::Cleared, false },
                { 'R', 20, Event::None, false }, { 'A', 30, Event::Raised, true } } },
    };
    for (const Sequence& seq : sequences) {
        AlarmState alarm;
        for (size_t i = 0; i < seq.steps.size(); ++i) {
            const Step& s = seq.steps[i];
            EXPECT_EQ(apply(alarm, s, seq.timing), s.expected) << seq.name << ", step " << i;
            EXPECT_EQ(alarm.sounding(), s.sounding) << seq.name << ", step " << i;
        }
    }
}

TEST(QuietWatch, ReportsOnceAndResumesAtTheNextLine)
{
    QuietWatch watch;
    watch.restart(0);
    EXPECT_EQ(watch.check(9999, 10000), QuietWatch::Event::None);
    EXPECT_EQ(watch.check(10000, 10000), QuietWatch::Event::Quiet);
    EXPECT_EQ(watch.check(20000, 10000), QuietWatch::Event::None); // said once
    EXPECT_EQ(watch.line(21000), QuietWatch::Event::Resumed);
    EXPECT_EQ(watch.line(22000), QuietWatch::Event::None);
    EXPECT_EQ(watch.check(31999, 10000), QuietWatch::Event::None);
    EXPECT_EQ(watch.check(99999, 0), QuietWatch::Event::None); // switched off
    watch.restart(100000);
    EXPECT_EQ(watch.check(105000, 10000), QuietWatch::Event::None);
}

TEST(AlarmDeadBand, ClearsOnlyBelowTheSetPointMinusTheBand)
{
    struct Case {
        const char* reading;
        const char* setPoint;
        const char* band;
        bool clears;
    };
    const Case cases[] = {
        { "29", "30", "0", true }, // no band: below the set-point
        { "30", "30", "0", false }, { "29", "30", "1", false }, { "28.9", "30", "1", true },
        { "29.7", "30", "0.3", false }, // exact: no rounding of 30 - 0.3
        { "29.69", "30", "0.3", true }, { "-0.6", "0.5", "1.1", false }, { "-0.61", "0.5", "1.1", true },
        { "99", "100", "0.5", true }, { "1005", "1010.25", "5.25", false },
        { "abc", "30", "1", false }, // not a number: compared as texts, as without a band
        { "25", "", "1", true }, // no set-point never alarms
    };
    for (const Case& c : cases) {
        const decimal::Number band = *decimal::parse(QString::fromLatin1(c.band));
        EXPECT_EQ(
            readingBelowClearLevel(QString::fromLatin1(c.reading), QString::fromLatin1(c.setPoint), band),
            c.clears)
            << c.reading << " against " << c.setPoint << " less " << c.band;
    }
}

TEST(AlarmSettingsKeys, ReadWithDefaultsForWhatCannotBeRead)
{
    struct Case {
        QStringList values; // RESOUND, DEADBAND, ALARMDELAY, STALE (after SETTEMP)
        // named in the order of the keys
        std::int64_t resoundMs, delayMs, staleMs;
        const char* deadBand;
        QStringList unreadable;
    };
    const Case cases[] = {
        { {}, 0, 0, 10000, "", {} },
        { { "", "", "", "" }, 0, 0, 10000, "", {} },
        { { "0.5", "1.5", "3", "0" }, 30000, 3000, 0, "1.5", {} },
        { { " 2 ", "0", "0.25", "2.5" }, 120000, 250, 2500, "0", {} },
        { { "-1", "x", "1e3", "ten" }, 0, 0, 10000, "",
            { "RESOUND=-1", "DEADBAND=x", "ALARMDELAY=1e3", "STALE=ten" } },
        { { "9999999999", "-0.5", "", "" }, 0, 0, 10000, "", { "RESOUND=9999999999", "DEADBAND=-0.5" } },
    };
    for (const Case& c : cases) {
        QStringList unreadable;
        const AlarmSettings s
            = alarmSettingsFrom(QStringList { QStringLiteral("30") } + c.values, &unreadable);
        EXPECT_EQ(s.timing.resoundMs, c.resoundMs) << c.values.join(u',').toStdString();
        EXPECT_EQ(s.timing.delayMs, c.delayMs) << c.values.join(u',').toStdString();
        EXPECT_EQ(s.staleMs, c.staleMs) << c.values.join(u',').toStdString();
        EXPECT_EQ(s.deadBandText, QString::fromLatin1(c.deadBand));
        EXPECT_EQ(unreadable, c.unreadable);
    }
}

} // namespace

namespace {

// The buzzer's stream follows the alarm: a sounding alarm keeps only a stream
// that plays or is slow to start, and a silent one never keeps or opens any.
TEST(BuzzerAction, StreamFollowsTheAlarm)
{
    for (const BuzzerStream stream : { BuzzerStream::None, BuzzerStream::Playing, BuzzerStream::Waiting,
             BuzzerStream::Stalled, BuzzerStream::Failed }) {
        const BuzzerAction silent = buzzerAction(false, stream);
        EXPECT_EQ(silent, stream == BuzzerStream::None ? BuzzerAction::Keep : BuzzerAction::Stop);
        const BuzzerAction sounding = buzzerAction(true, stream);
        EXPECT_EQ(sounding == BuzzerAction::Keep,
            stream == BuzzerStream::Playing || stream == BuzzerStream::Waiting)
            << int(stream);
        EXPECT_NE(sounding, BuzzerAction::Stop);
    }
}

} // namespace
