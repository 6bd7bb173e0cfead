// The alarm as the operator lives with it, end to end: the board on a
// pseudo-terminal, a real notification server on the test's own desktop.
// Raising, silencing it each of the four ways, resounding, clearing; chatter
// at the threshold with and without a dead band; a spike with and without an
// on-delay; a board that hangs and comes back.
#include "consolefixture.h"

#include "alarmplayer.h"
#include "desktopsession.h"
#include "lamp.h"
#include "ptypair.h"
#include "readingslog.h"
#include "shelltestsupport.h"

#include <QKeyEvent>
#include <QTest>

#include <functional>

DesktopSession* g_desktop = nullptr;
QString g_desktopProblem;

namespace {

const QString kNotify = QStringLiteral("Notify");
const QString kClose = QStringLiteral("CloseNotification");

class OverTemperatureAlarm : public ConsoleTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(g_desktop) << g_desktopProblem.toStdString();
        ConsoleTest::SetUp();
        ASSERT_TRUE(pty.ok());
        g_desktop->clearMessages();
    }

    // Stores the alarm's keys, then loads and connects with the set-point 30
    // and a readings log.
    void start(const QList<std::pair<const char*, const char*>>& keys = {})
    {
        for (const auto& [key, value] : keys)
            ASSERT_TRUE(WritePrivateProfileString(
                QStringLiteral("TEMP"), QString::fromLatin1(key), QString::fromLatin1(value), iniPath()));
        window->openReadingsLog(settingsDir.filePath(QStringLiteral("readings.csv")));
        loadConnectedTo(pty.slavePath());
        ASSERT_TRUE(window->port().PortOpen());
    }
    void reading(const QString& value) { boardSends(pty, value); }
    // The events of the readings log, in order, readings left out.
    QStringList logEvents()
    {
        EXPECT_TRUE(window->readingsLog()->waitWritten(5000));
        QFile file(window->readingsLog()->path());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        QStringList events;
        for (const QByteArray& row : file.readAll().split('\n')) {
            const QString event = QString::fromUtf8(row).section(u',', 1, 1);
            if (!event.isEmpty() && event != QLatin1String("event") && event != QLatin1String("reading")
                && event != QLatin1String("connected"))
                events << event;
        }
        return events;
    }
    // Waits until a notification call matching `match` was seen.
    bool seen(
        const QString& member, const std::function<bool(const BusMessage&)>& match, int timeoutMs = 5000)
    {
        return waitUntil(
            [&] {
                for (const BusMessage& m : g_desktop->messages(member)) {
                    if (match(m))
                        return true;
                }
                return false;
            },
            timeoutMs);
    }

    PtyPair pty;
};

TEST_F(OverTemperatureAlarm, RaisedSilencedEachWayAndCleared)
{
    struct Way {
        const char* name;
        std::function<void()> silence;
    };
    const Way ways[] = {
        { "lamp", [this] { QTest::mouseClick(c().Shape2, Qt::LeftButton); } },
        { "caption", [this] { QTest::mouseClick(c().Label3, Qt::LeftButton); } },
        { "Escape", [this] { typeEscape(); } },
        { "notification",
            [] {
                EXPECT_TRUE(g_desktop->dunstctl({ QStringLiteral("action"), QStringLiteral("0") }));
            } },
    };
    start();
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        g_desktop->clearMessages();
        reading(QStringLiteral("31"));
        EXPECT_EQ(window->AlarmOn(), 1);
        EXPECT_TRUE(window->windowTitle().startsWith(frmMain::kAlarmTitle));
        EXPECT_TRUE(seen(kNotify, [](const BusMessage& m) {
            return m.args.value(0) == QLatin1String("string \"tempconsole\"")
                && m.args.value(1) == QLatin1String("uint32 0") && m.has(QStringLiteral("\"超温报警\""))
                && m.has(QStringLiteral("31")) && m.has(QStringLiteral("30"))
                && m.has(QStringLiteral("\"default\"")) && m.has(QStringLiteral("\"消音\""))
                && m.has(QStringLiteral("byte 2"));
        }));
        ASSERT_TRUE(waitUntil([&] { return window->alarmSound().sounding(); }, 3000));
        EXPECT_EQ(c().Shape2->toolTip(), QStringLiteral("未消音：点击此灯或按 Esc 键消音"));

        way.silence();
        ASSERT_TRUE(waitUntil([&] { return window->alarm().acknowledged(); }));
        EXPECT_FALSE(window->alarmSound().sounding());
        EXPECT_TRUE(c().Shape2->isLit());
        EXPECT_EQ(window->AlarmOn(), 1);
        EXPECT_EQ(c().Shape2->toolTip(), QStringLiteral("已消音"));
        EXPECT_EQ(c().Shape2->accessibleDescription(), QStringLiteral("已消音"));
        EXPECT_TRUE(seen(kNotify, [](const BusMessage& m) {
            return m.args.value(1) != QLatin1String("uint32 0") && m.has(QStringLiteral("已消音"));
        }));
        reading(QStringLiteral("32"));
        QTest::qWait(1300); // a buzzer tick or more
        EXPECT_FALSE(window->alarmSound().sounding());

        reading(QStringLiteral("25"));
        EXPECT_EQ(window->AlarmOn(), 0);
        EXPECT_EQ(window->windowTitle(), QStringLiteral("温度控制台"));
        EXPECT_TRUE(seen(kClose, [](const BusMessage&) { return true; }));
    }
    const QStringList once { "alarm", "acknowledged", "cleared" };
    EXPECT_EQ(logEvents(), once + once + once + once);
}

TEST_F(OverTemperatureAlarm, SoundsAgainAfterTheResoundTime)
{
    start({ { "RESOUND", "0.02" } }); // 1.2 seconds
    reading(QStringLiteral("31"));
    typeEscape();
    ASSERT_TRUE(window->alarm().acknowledged());
    ASSERT_TRUE(waitUntil([&] { return window->alarmSound().sounding(); }, 4000));
    EXPECT_FALSE(window->alarm().acknowledged());
    EXPECT_EQ(c().Shape2->toolTip(), QStringLiteral("未消音：点击此灯或按 Esc 键消音"));
}

TEST_F(OverTemperatureAlarm, ChatterAtTheThresholdWithAndWithoutADeadBand)
{
    const char* const hover[] = { "30", "29", "30", "29.5", "30", "29" };
    start();
    for (const char* r : hover)
        reading(QString::fromLatin1(r));
    const QStringList thrice { "alarm", "cleared", "alarm", "cleared", "alarm", "cleared" };
    EXPECT_EQ(logEvents(), thrice);

    // The band is read again after each line, like the set-point.
    ASSERT_TRUE(WritePrivateProfileString(
        QStringLiteral("TEMP"), QStringLiteral("DEADBAND"), QStringLiteral("1"), iniPath()));
    reading(QStringLiteral("25"));
    for (const char* r : hover)
        reading(QString::fromLatin1(r));
    EXPECT_EQ(window->AlarmOn(), 1);
    EXPECT_TRUE(c().Shape2->isLit());
    reading(QStringLiteral("28.9"));
    EXPECT_EQ(window->AlarmOn(), 0);
    EXPECT_EQ(logEvents(), thrice + QStringList({ "alarm", "cleared" }));
}

TEST_F(OverTemperatureAlarm, ASpikeWithAndWithoutAnOnDelay)
{
    start({ { "ALARMDELAY", "1" } });
    reading(QStringLiteral("35"));
    reading(QStringLiteral("25"));
    EXPECT_TRUE(c().Shape1->isLit());
    EXPECT_EQ(window->AlarmOn(), 0);
    reading(QStringLiteral("31"));
    QTest::qWait(600);
    reading(QStringLiteral("32"));
    EXPECT_EQ(window->AlarmOn(), 0);
    QTest::qWait(600);
    reading(QStringLiteral("33"));
    EXPECT_EQ(window->AlarmOn(), 1);
    EXPECT_TRUE(c().Shape2->isLit());
    EXPECT_EQ(logEvents(), QStringList({ "alarm" }));

    ASSERT_TRUE(WritePrivateProfileString(
        QStringLiteral("TEMP"), QStringLiteral("ALARMDELAY"), QStringLiteral("0"), iniPath()));
    reading(QStringLiteral("25")); // the keys are read again after each line
    reading(QStringLiteral("35"));
    EXPECT_EQ(window->AlarmOn(), 1);
}

TEST_F(OverTemperatureAlarm, AHungBoardAndItsReturn)
{
    start({ { "STALE", "1" } });
    reading(QStringLiteral("25"));
    ASSERT_TRUE(waitUntil([&] { return status() == QStringLiteral("1 秒未收到温度数据！"); }, 3000));
    EXPECT_TRUE(c().Shape1->isLit());
    EXPECT_EQ(c().txtBarcode->text(), QStringLiteral("25"));
    EXPECT_TRUE(seen(kNotify, [](const BusMessage& m) { return m.has(QStringLiteral("\"温度数据中断\"")); }));

    reading(QStringLiteral("26"));
    EXPECT_EQ(status(), frmMain::kStatusLinked);
    EXPECT_TRUE(seen(kClose, [](const BusMessage&) { return true; }));

    // Set-point mode is not watched.
    ASSERT_TRUE(pty.write("O"));
    ASSERT_TRUE(waitUntil([&] { return c().Text1->text() == QStringLiteral("OK"); }));
    QTest::qWait(1500);
    EXPECT_EQ(status(), frmMain::kStatusLinked);
    EXPECT_EQ(logEvents(), (QStringList { "quiet", "resumed" }));
}

} // namespace

// The desktop is started before any test touches the session bus.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tempconsole")); // as the program names itself
    ::testing::InitGoogleTest(&argc, argv);
    DesktopSession desktop;
    if (desktop.start(&g_desktopProblem))
        g_desktop = &desktop;
    return RUN_ALL_TESTS();
}
