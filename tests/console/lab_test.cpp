// The lab link without a window: its settings, payloads and command rules as
// tables, and its network side against a real broker (password, ACL, TLS).
#include "labbroker.h"
#include "labclient.h"
#include "labcommand.h"
#include "labmessages.h"
#include "labsettings.h"
#include "shelltestsupport.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTest>
#include <QTimeZone>
#include <gtest/gtest.h>

#include <atomic>
#include <ctime>

namespace {

LabConfig read(const QByteArray& ini, const QString& url = {})
{
    return readLabSettings(ini, url, QStringLiteral("/etc/tuvela"), QStringLiteral("lab pc.7"));
}

TEST(LabSettingsTest, ReadsOrRefusesEachValue)
{
    struct Case {
        const char* ini;
        const char* url;
        const char* error; // "" when read
        const char* expect; // host:port tls bench caFile, when read
    };
    const Case cases[] {
        { "[MQTT]\nURL=mqtt://broker\n", "", "", "broker:1883 0 lab_pc_7 " },
        { "[MQTT]\nURL=mqtts://broker.lab:9999\nUSER=bench 01\nPASSWORD=x\nCAFILE=ca.crt\n", "", "",
            "broker.lab:9999 1 bench_01 /etc/tuvela/ca.crt" },
        { "[MQTT]\nURL=mqtts://b\nBENCH=Bench/3+#\nCAFILE=/ca.crt\n", "", "", "b:8883 1 Bench_3__ /ca.crt" },
        { "", "mqtt://127.0.0.1:1884", "", "127.0.0.1:1884 0 lab_pc_7 " },
        { "[MQTT]\nURL=mqtt://a\n", "mqtts://b", "", "b:8883 1 lab_pc_7 " },
        { "[MQTT]\nURL=http://a\n", "", "[MQTT] URL", "" },
        { "[MQTT]\nURL=mqtt://user:pw@a\n", "", "[MQTT] URL", "" },
        { "[MQTT]\nUSER=x\n", "", "[MQTT] URL", "" },
        { "", "broker", "[MQTT] --mqtt", "" },
        { "[MQTT]\nURL=mqtt://a\nKEEPALIVE=4\n", "", "[MQTT] KEEPALIVE", "" },
        { "[MQTT]\nURL=mqtt://a\nCOMMANDS=yes\n", "", "[MQTT] COMMANDS", "" },
        { "[MQTT]\nURL=mqtt://a\nSETMIN=50\nSETMAX=40\n", "", "[MQTT] SETMIN", "" },
        { "[MQTT]\nURL=mqtt://a\nSETMAX=150\n", "", "[MQTT] SETMAX", "" },
        { "[MQTT]\nURL=mqtt://a\nTOPIC=a/b\n", "", "[MQTT] TOPIC", "" },
        { "[MQTT]\nURL=mqtt://a\nCERTFILE=c.crt\n", "", "[MQTT] KEYFILE", "" },
        { "[MQTT]\nURL=mqtt://a\nPASSWORD=x\n", "", "[MQTT] USER", "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ini + std::string(" / ") + c.url);
        const LabConfig config = read(c.ini, c.url);
        EXPECT_TRUE(config.configured);
        EXPECT_EQ(config.error, QString::fromUtf8(c.error));
        if (!config.settings)
            continue;
        const LabSettings& s = *config.settings;
        EXPECT_EQ(
            QStringLiteral("%1:%2 %3 %4 %5").arg(s.host).arg(s.port).arg(int(s.tls)).arg(s.bench, s.caFile),
            QString::fromUtf8(c.expect));
    }
    const LabConfig none = read("[TEMP]\nSETTEMP=30\n");
    EXPECT_FALSE(none.configured);
    EXPECT_FALSE(none.settings);
    const LabSettings s
        = *read("[MQTT]\nURL=mqtt://a\nDISCOVERY=\nCOMMANDS=1\nSETMIN=20\nSETMAX=60\n").settings;
    EXPECT_TRUE(s.discovery.isEmpty());
    EXPECT_TRUE(s.commands);
    EXPECT_EQ(s.keepAlive, 30);
    EXPECT_EQ(s.topic, QStringLiteral("tuvela"));
    EXPECT_EQ(std::pair(s.setMin, s.setMax), std::pair(20, 60));
}

LabSettings bench01(bool commands = false)
{
    LabSettings s;
    s.bench = QStringLiteral("bench01");
    s.commands = commands;
    s.stale = 10;
    return s;
}

TEST(LabMessagesTest, StateAndEventsAsTheDashboardReadsThem)
{
    ConsoleState state { QStringLiteral("25"), QStringLiteral("30"), false, true, AlarmLevel::Acknowledged,
        true };
    const std::vector<LabMessage> expected {
        { "tuvela/bench01/setpoint", "30" },
        { "tuvela/bench01/alarm", "acknowledged" },
        { "tuvela/bench01/quiet", "ON" },
        { "tuvela/bench01/link", "connected" },
    };
    EXPECT_EQ(lab::stateMessages(bench01(), state), expected);

    // A bench eight hours east of UTC (a POSIX rule: no time-zone data needed).
    qputenv("TZ", "CST-8");
    tzset();
    const QDateTime time(QDate(2026, 12, 9), QTime(6, 30, 1, 123), Qt::UTC);
    ConsoleEvent e { time, QStringLiteral("alarm"), QStringLiteral("31"), QStringLiteral("30"), 1,
        QStringLiteral("measuring") };
    EXPECT_EQ(lab::eventJson(e),
        QByteArray(R"({"alarm":1,"event":"alarm","mode":"measuring","reading":"31","setpoint":"30",)"
                   R"("time":"2026-12-09T14:30:01.123+08:00"})"));
    ConsoleEvent bare { time, QStringLiteral("lost"), {}, {}, std::nullopt, QStringLiteral("measuring") };
    bare.detail = QStringLiteral("setpoint 150: outside 0..99");
    const QJsonObject o = QJsonDocument::fromJson(lab::eventJson(bare)).object();
    EXPECT_TRUE(o["reading"].isNull() && o["setpoint"].isNull() && o["alarm"].isNull());
    EXPECT_EQ(o["detail"].toString(), bare.detail);
    EXPECT_EQ(
        QJsonDocument::fromJson(lab::eventJson(lab::droppedEvent(time, 42))).object()["count"].toInt(), 42);
}

TEST(LabMessagesTest, DiscoveryConfigsOneDeviceAndControlsOnlyWithCommands)
{
    for (const bool commands : { false, true }) {
        SCOPED_TRACE(commands);
        const std::vector<LabMessage> configs
            = lab::discoveryMessages(bench01(commands), QStringLiteral("1.2.3"));
        ASSERT_EQ(configs.size(), 8U);
        QSet<QString> ids;
        int controls = 0;
        for (const LabMessage& m : configs) {
            EXPECT_TRUE(m.retain);
            EXPECT_TRUE(m.topic.startsWith(QStringLiteral("homeassistant/")));
            EXPECT_TRUE(m.topic.endsWith(QStringLiteral("/config")));
            const bool control = m.topic.contains(QStringLiteral("/button/")) || m.topic.contains("/number/");
            controls += control;
            if (control && !commands) {
                EXPECT_TRUE(m.payload.isEmpty()) << m.topic.toStdString();
                continue;
            }
            const QJsonObject o = QJsonDocument::fromJson(m.payload).object();
            EXPECT_EQ(o["availability_topic"].toString(), QStringLiteral("tuvela/bench01/status"));
            EXPECT_EQ(o["device"].toObject()["identifiers"].toArray().first().toString(), "tuvela_bench01");
            EXPECT_EQ(o["device"].toObject()["sw_version"].toString(), "1.2.3");
            ids.insert(o["unique_id"].toString());
        }
        EXPECT_EQ(controls, 2);
        EXPECT_EQ(ids.size(), commands ? 8 : 6); // no two entities share an id
    }
    const std::vector<LabMessage> configs = lab::discoveryMessages(bench01(true), {});
    const QJsonObject temperature = QJsonDocument::fromJson(configs[0].payload).object();
    EXPECT_EQ(temperature["expire_after"].toInt(), 30);
    const QJsonObject number = QJsonDocument::fromJson(configs[7].payload).object();
    EXPECT_EQ(number["command_topic"].toString(), "tuvela/bench01/cmd/setpoint");
    EXPECT_EQ(number["min"].toInt() + number["max"].toInt() + number["step"].toInt(), 0 + 99 + 1);
    LabSettings off = bench01();
    off.discovery.clear();
    EXPECT_TRUE(lab::discoveryMessages(off, {}).empty());
}

TEST(LabCommandTest, ReadsAndRefuses)
{
    struct Case {
        const char* leaf;
        const char* payload;
        bool retained;
        const char* detail;
        const char* refusal;
    };
    const Case cases[] {
        { "acknowledge", "PRESS", false, "acknowledge", "" },
        { "setpoint", " 35 ", false, "setpoint 35", "" },
        { "setpoint", "150", false, "setpoint 150", "outside 20..60" },
        { "setpoint", "19", false, "setpoint 19", "outside 20..60" },
        { "setpoint", "35.5", false, "setpoint 35.5", "not a whole number" },
        { "setpoint", "", false, "setpoint", "not a whole number" },
        { "setpoint", "99999999999", false, "setpoint 99999999999", "not a whole number" },
        { "setpoint", "35", true, "setpoint 35", "retained message" },
        { "acknowledge", "", true, "acknowledge", "retained message" },
        { "reboot", "", false, "reboot", "unknown command" },
    };
    for (const Case& c : cases) {
        const LabCommandReading r = readLabCommand(c.leaf, c.payload, c.retained, 20, 60);
        EXPECT_EQ(r.detail, QString::fromUtf8(c.detail)) << c.payload;
        EXPECT_EQ(r.refusal, QString::fromUtf8(c.refusal)) << c.payload;
        EXPECT_EQ(r.command.has_value(), r.refusal.isEmpty());
    }
    const LabCommand set { LabCommand::Kind::SetPoint, 35 };
    const LabCommand ack { LabCommand::Kind::Acknowledge, 0 };
    EXPECT_EQ(labRefusal(set, { true, false, false }), QString());
    EXPECT_EQ(labRefusal(set, { false, false, false }), QStringLiteral("serial link down"));
    EXPECT_EQ(
        labRefusal(set, { true, true, false }), QStringLiteral("operator at the bench in set-point mode"));
    EXPECT_EQ(labRefusal(set, { true, false, true }), QStringLiteral("another remote set-point under way"));
    EXPECT_EQ(labRefusal(ack, { false, true, true }), QString());

    CommandRate rate;
    int taken = 0;
    for (int i = 0; i < 8; ++i)
        taken += rate.take(100 + i * 10);
    EXPECT_EQ(taken, 5);
    EXPECT_FALSE(rate.take(1099));
    EXPECT_TRUE(rate.take(1100));
}

TEST(LabCommandTest, StepsReachTheTargetWithoutOvershootingOnStaleLines)
{
    // A board that answers each press and also repeats, in a periodic line,
    // the value it showed before the press.
    for (const int from : { 28, 33, 31 }) {
        SetPointSteps steps(31);
        QString pressed(steps.start());
        int board = from;
        for (std::optional<QChar> next; (next = steps.answer(board)) && *next != u'6';) {
            pressed += *next;
            const int before = board;
            board += *next == u'5' ? 1 : -1;
            EXPECT_EQ(steps.answer(before), std::nullopt); // the stale line asks for nothing
        }
        EXPECT_EQ(board, 31);
        EXPECT_EQ(pressed, QStringLiteral("3") + QString(std::abs(31 - from), from < 31 ? u'5' : u'4'));
    }
    SetPointSteps ignored(40);
    EXPECT_EQ(ignored.answer(30), u'5');
    EXPECT_EQ(ignored.answer(30), std::nullopt); // a board ignoring the press: only the time limit ends it
    EXPECT_EQ(LabClient::pauseMs(1), 500);
    EXPECT_EQ(LabClient::pauseMs(3), 2000);
    EXPECT_EQ(LabClient::pauseMs(30), 10000);
}

// The network side against a real broker.
class LabClientTest : public ::testing::Test {
protected:
    std::unique_ptr<LabClient> client(const QString& user, const QString& password, bool tls = false,
        const QString& caFile = {}, const QString& bench = {})
    {
        LabClientConfig c;
        c.host = tls ? "localhost" : "127.0.0.1";
        c.port = tls ? broker.tlsPort() : broker.port();
        c.tls = tls;
        c.caFile = caFile.toStdString();
        c.user = user.toStdString();
        c.password = password.toStdString();
        c.keepAlive = 5;
        const std::string name = (bench.isEmpty() ? user : bench).toStdString();
        c.clientId = "tuvela_" + name;
        c.statusTopic = "tuvela/" + name + "/status";
        c.eventsTopic = "tuvela/" + name + "/events";
        c.droppedEvent = [](std::int64_t n) { return "dropped " + std::to_string(n); };
        return std::make_unique<LabClient>(c, [this] { ++wakes; });
    }
    // The first report that is not "up", waiting for it.
    std::optional<LabClient::Report> nextReport(LabClient& c, int timeoutMs = 10000)
    {
        std::optional<LabClient::Report> found;
        waitUntil(
            [&] {
                for (const LabClient::Report& r : c.takeReports()) {
                    if (!found && r.link != LabClient::Link::Up)
                        found = r;
                }
                return found.has_value();
            },
            timeoutMs);
        return found;
    }

    LabBroker broker;
    std::atomic<int> wakes { 0 };
};

TEST_F(LabClientTest, StateRetainedEventsInOrderAcrossABrokerRestart)
{
    ASSERT_TRUE(broker.start());
    auto c = client("bench01", "secret1");
    c->retain("tuvela/bench01/alarm", "active");
    ASSERT_TRUE(waitUntil([&] { return c->up(); }, 10000));
    {
        LabWatcher late(broker, "tuvela/bench01/#"); // subscribes after: sees only what is retained
        EXPECT_TRUE(late.waitFor("tuvela/bench01/status\t1\tonline"));
        EXPECT_TRUE(late.waitFor("tuvela/bench01/alarm\t1\tactive"));
    }
    LabWatcher watcher(broker, "tuvela/bench01/events");
    for (int i = 0; i < 20; ++i)
        c->event(std::to_string(i));
    ASSERT_TRUE(watcher.waitFor("\t19"));
    broker.stop();
    for (int i = 20; i < 40; ++i)
        c->event(std::to_string(i)); // while the broker is away
    ASSERT_TRUE(waitUntil([&] { return !c->up(); }, 10000));
    const std::optional<LabClient::Report> lost = nextReport(*c);
    ASSERT_TRUE(lost);
    EXPECT_EQ(lost->link, LabClient::Link::Lost);
    ASSERT_TRUE(broker.start()); // no persistence: the broker comes back empty
    LabWatcher after(broker, "tuvela/bench01/#");
    ASSERT_TRUE(after.waitFor("events\t0\t39", 20000));
    // Whole again at once (live to a watcher already there, so not flagged retained).
    EXPECT_TRUE(after.payloads("tuvela/bench01/alarm").contains(QStringLiteral("active")));
    QStringList all = watcher.payloads("tuvela/bench01/events");
    all.removeDuplicates();
    QStringList expected;
    for (int i = 0; i < 20; ++i)
        expected << QString::number(i);
    EXPECT_EQ(all, expected);
    QStringList resumed = after.payloads("tuvela/bench01/events");
    expected.clear();
    for (int i = 20; i < 40; ++i)
        expected << QString::number(i);
    EXPECT_EQ(resumed, expected);
    EXPECT_TRUE(waitUntil([&] { return c->pendingEvents() == 0; }));
}

TEST_F(LabClientTest, BrokerDownAtStartThenAFullQueueSaysWhatItDropped)
{
    auto c = client("bench01", "secret1");
    const std::size_t extra = 25;
    for (std::size_t i = 0; i < LabClient::kMaxEvents + extra; ++i)
        c->event(std::to_string(i));
    const std::optional<LabClient::Report> refused = nextReport(*c);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->link, LabClient::Link::Lost);
    ASSERT_TRUE(broker.start());
    LabWatcher watcher(broker, "tuvela/bench01/events");
    ASSERT_TRUE(watcher.waitFor(QStringLiteral("\t%1").arg(LabClient::kMaxEvents + extra - 1), 30000));
    const QStringList got = watcher.payloads("tuvela/bench01/events");
    ASSERT_FALSE(got.isEmpty());
    EXPECT_EQ(got.first(), QStringLiteral("dropped %1").arg(extra));
    EXPECT_EQ(got.value(1), QString::number(extra));
    EXPECT_EQ(got.size(), qsizetype(LabClient::kMaxEvents) + 1);
}

TEST_F(LabClientTest, RefusalsSayWhy)
{
    ASSERT_TRUE(broker.start());
    struct Case {
        const char* user;
        const char* password;
        bool tls;
        QString caFile;
        const char* reason;
    };
    const Case cases[] {
        { "bench01", "wrong", false, {}, "wrong user name or password, or not authorised" },
        { "bench01", "secret1", true, broker.otherCaFile(), "certificate not trusted" },
        { "bench01", "secret1", true, {},
            "certificate not trusted" }, // the system does not trust the test CA
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.reason);
        auto c = client(k.user, k.password, k.tls, k.caFile);
        const std::optional<LabClient::Report> r = nextReport(*c);
        ASSERT_TRUE(r);
        EXPECT_EQ(r->link, LabClient::Link::Refused);
        EXPECT_EQ(r->reason, k.reason);
        EXPECT_FALSE(c->up());
    }
    auto tls = client("bench01", "secret1", true, broker.caFile());
    EXPECT_TRUE(waitUntil([&] { return tls->up(); }, 10000));
    LabClientConfig nowhere;
    nowhere.host = "no-such-host.invalid";
    nowhere.statusTopic = "tuvela/x/status";
    LabClient lost(nowhere, {});
    const std::optional<LabClient::Report> r = nextReport(lost, 30000); // a resolver may take its time
    ASSERT_TRUE(r);
    EXPECT_EQ(r->link, LabClient::Link::Refused);
    EXPECT_EQ(r->reason, "host not found");
}

TEST_F(LabClientTest, TheAclKeepsBenchesApart)
{
    ASSERT_TRUE(broker.start());
    LabWatcher watcher(broker, "tuvela/#");
    auto own = client("bench01", "secret1");
    auto other = client("bench01", "secret1", false, {}, "bench02"); // bench01 posing as bench02
    own->retain("tuvela/bench01/alarm", "active");
    other->retain("tuvela/bench02/alarm", "active");
    ASSERT_TRUE(waitUntil([&] { return own->up() && other->up(); }, 10000));
    EXPECT_TRUE(watcher.waitFor("tuvela/bench01/alarm"));
    QTest::qWait(500);
    EXPECT_FALSE(watcher.lines().join(u'\n').contains(QStringLiteral("tuvela/bench02/")));
}

TEST_F(LabClientTest, AStalledBrokerIsGivenUpAndHandingOverNeverWaits)
{
    ASSERT_TRUE(broker.start());
    auto c = client("bench01", "secret1");
    ASSERT_TRUE(waitUntil([&] { return c->up(); }, 10000));
    broker.pause();
    QElapsedTimer handing;
    handing.start();
    for (int i = 0; i < 1000; ++i)
        c->event(std::to_string(i));
    EXPECT_LT(handing.elapsed(), 1000); // far from the network's seconds
    // Keep-alive 5 s: the client notices within about two of them.
    const std::optional<LabClient::Report> r = nextReport(*c, 20000);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->link, LabClient::Link::Lost);
    broker.resume();
    LabWatcher watcher(broker, "tuvela/bench01/events");
    EXPECT_TRUE(watcher.waitFor("\t999", 30000));
}

} // namespace
