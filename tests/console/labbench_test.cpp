// The lab link inside the console's window, where the bench and a supervisor
// meet: the operator at the bench always wins over a remote set-point.
#include "consolefixture.h"
#include "labbroker.h"
#include "labclient.h"
#include "lablink.h"
#include "ptypair.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTimer>

namespace {

class LabBench : public ConsoleTest {
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_TRUE(broker.start());
        for (const auto& [key, value] : { std::pair("USER", "bench01"), std::pair("PASSWORD", "secret1"),
                 std::pair("COMMANDS", "1"), std::pair("KEEPALIVE", "5") })
            WritePrivateProfileString(QStringLiteral("MQTT"), key, value, iniPath());
        loadConnectedTo(pty.slavePath());
        window->openLabLink(broker.url());
        ASSERT_TRUE(window->labLink());
        ASSERT_TRUE(waitUntil([&] { return window->labLink()->client().up(); }, 10000));
        QObject::connect(&window->events(), &ConsoleEvents::happened, [this](const ConsoleEvent& e) {
            if (e.event.startsWith(QStringLiteral("remote-")))
                remote << e.event + QStringLiteral(" ") + e.detail;
        });
    }
    // The first remote event the console recorded, waiting for it.
    QString remoteEvent()
    {
        waitUntil([&] { return !remote.isEmpty(); }, 8000);
        return remote.value(0);
    }

    // What the board receives within `ms` (all of it with `whole`, else the
    // first that comes), the window's events running.
    std::string boardGets(int ms, bool whole = false)
    {
        std::string got;
        waitUntil(
            [&] {
                got += pty.read(5);
                return !whole && !got.empty();
            },
            ms);
        return got;
    }

    LabBroker broker;
    PtyPair pty;
    QStringList remote;
};

TEST_F(LabBench, AButtonAtTheBenchEndsARemoteSetPoint)
{
    ASSERT_TRUE(broker.publish(QStringLiteral("tuvela/bench01/cmd/setpoint"), QStringLiteral("45")));
    EXPECT_EQ(boardGets(5000), "3");
    ASSERT_TRUE(window->labLink()->remoteSetPointRunning());
    c().Command3->click();
    EXPECT_EQ(remoteEvent(), QStringLiteral("remote-failed setpoint 45: the bench took over"));
    EXPECT_FALSE(window->labLink()->remoteSetPointRunning());
    // Past the step's time limit: the operator's press only, no "6" from the link.
    EXPECT_EQ(boardGets(LabLink::kStepTimeoutMs + 500, true), "5");
    EXPECT_EQ(storedSetPoint(), QStringLiteral("30"));
}

TEST_F(LabBench, TheOperatorInSetPointModeKeepsTheBench)
{
    ASSERT_TRUE(pty.write("30O\r\n")); // the operator pressed "设定温度"
    ASSERT_TRUE(waitUntil([&] { return window->showsSetPointMode(); }));
    ASSERT_TRUE(broker.publish(QStringLiteral("tuvela/bench01/cmd/setpoint"), QStringLiteral("45")));
    EXPECT_EQ(
        remoteEvent(), QStringLiteral("remote-refused setpoint 45: operator at the bench in set-point mode"));
    EXPECT_EQ(boardGets(500, true), "");
}

TEST_F(LabBench, AStalledBrokerLeavesTheBuzzerItsSecond)
{
    const auto reading = [&] {
        pty.write("40X\r\n");
        boardGets(250, true);
    };
    for (int i = 0; i < 6; ++i)
        reading(); // over the set-point for longer than the on-delay
    ASSERT_TRUE(window->alarm().sounding());
    broker.pause();
    QSignalSpy buzzer(window->Timer1(), &QTimer::timeout);
    QElapsedTimer stalled;
    stalled.start();
    while (stalled.elapsed() < 5000)
        reading(); // every reading an event for the stalled broker
    EXPECT_GE(buzzer.count(), 4);
    EXPECT_TRUE(window->alarm().sounding());
    broker.resume();
}

} // namespace
