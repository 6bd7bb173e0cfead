// The infrared daemon's event lines: what is an event, and how the bytes
// read from its socket become events whatever way they are cut.
#include "lircevent.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

struct LineCase {
    const char* line;
    std::optional<LircEvent> event;
};

LircEvent ev(const char* code, int repeat, const char* button, const char* remote)
{
    return { QLatin1String(code), repeat, QString::fromUtf8(button), QString::fromUtf8(remote) };
}

const LineCase kLines[] = {
    { "0000000020df40bf 00 KEY_VOLUMEUP myremote", ev("0000000020df40bf", 0, "KEY_VOLUMEUP", "myremote") },
    { "0000000020df40bf 0a KEY_VOLUMEUP myremote", ev("0000000020df40bf", 10, "KEY_VOLUMEUP", "myremote") },
    { "1 1F4 KEY_OK tv\r", ev("1", 500, "KEY_OK", "tv") },
    { "00ff 7fffffff 音量 遥控器", ev("00ff", 0x7fffffff, "音量", "遥控器") },
    { "00ff 80000000 KEY_OK tv", std::nullopt }, // a count no int holds
    { "00ff 000000001 KEY_OK tv", std::nullopt },
    { "00ff -1 KEY_OK tv", std::nullopt },
    { "00ff 0x1 KEY_OK tv", std::nullopt },
    { "zz 00 KEY_OK tv", std::nullopt },
    { "00ff 00 KEY_OK", std::nullopt },
    { "00ff 00 KEY_OK tv extra", std::nullopt },
    { "", std::nullopt },
    { "BEGIN", std::nullopt }, // a reply block from the daemon
    { "SIGHUP", std::nullopt },
    { "END", std::nullopt },
};

bool same(const LircEvent& a, const LircEvent& b)
{
    return a.code == b.code && a.repeat == b.repeat && a.button == b.button && a.remote == b.remote;
}

TEST(LircEventLine, ParsesEventsAndNothingElse)
{
    for (const LineCase& c : kLines) {
        const std::optional<LircEvent> got = ParseLircEvent(QByteArrayView(c.line));
        ASSERT_EQ(got.has_value(), c.event.has_value()) << c.line;
        if (got) {
            EXPECT_TRUE(same(*got, *c.event)) << c.line;
        }
    }
}

TEST(LircEventReader, LinesCutAnywhereAndOverlongLinesDropped)
{
    const QByteArray stream = "BEGIN\nSIGHUP\nEND\n"
                              "0000000020df40bf 00 KEY_VOLUMEUP myremote\n"
        + QByteArray(LircEventReader::kMaxLine + 10, 'a')
        + " 00 KEY_LONG r\n"
          "0000000020df40bf 01 KEY_VOLUMEUP myremote\n"
          "00ff 00 KEY_MUTE tv";
    for (qsizetype cut = 1; cut <= 7; ++cut) {
        LircEventReader reader;
        std::vector<LircEvent> events;
        for (qsizetype at = 0; at < stream.size(); at += cut) {
            for (LircEvent& e : reader.add(QByteArrayView(stream).sliced(at, qMin(cut, stream.size() - at))))
                events.push_back(std::move(e));
        }
        ASSERT_EQ(events.size(), 2u) << "cut " << cut;
        EXPECT_TRUE(same(events[0], ev("0000000020df40bf", 0, "KEY_VOLUMEUP", "myremote")));
        EXPECT_TRUE(same(events[1], ev("0000000020df40bf", 1, "KEY_VOLUMEUP", "myremote")));
        EXPECT_EQ(reader.pendingSize(), 19) << "the unfinished line waits";
        EXPECT_EQ(reader.add("\n").size(), 1u);
    }
}

} // namespace
