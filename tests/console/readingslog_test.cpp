// The readings log: CSV rows, the header once per file, a failure reported once;
// the console's event stream it subscribes to.
#include "consolefixture.h"
#include "readingslog.h"

#include "shelltestsupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QDateTime kNoon(QDate(2026, 3, 4), QTime(12, 5, 6, 78));

TEST(ReadingsLog, RowsAreCsvWithIsoTimeAndQuotedFields)
{
    struct Case {
        ConsoleEvent row;
        const char* csv;
    };
    const Case cases[] = {
        { { kNoon, "reading", "25", "30", 0, "measuring" },
            "2026-03-04T12:05:06.078,reading,25,30,0,measuring\n" },
        { { kNoon, "connected", "0", "", std::nullopt, "measuring" },
            "2026-03-04T12:05:06.078,connected,0,,,measuring\n" },
        { { kNoon, "reading", "2,5", "a\"b", 1, "setpoint" },
            "2026-03-04T12:05:06.078,reading,\"2,5\",\"a\"\"b\",1,setpoint\n" },
        { { kNoon, "reading", "\r\n", "", 1, "measuring" },
            "2026-03-04T12:05:06.078,reading,\"\r\n\",,1,measuring\n" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(csvRow(c.row), QByteArray(c.csv));
}

TEST(ReadingsLog, AppendsWithOneHeaderAndReportsAFailureOnce)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("log.csv");
    for (const char* reading : { "25", "26" }) {
        ReadingsLog log(path);
        log.append({ kNoon, "reading", reading, "30", 0, "measuring" });
        ASSERT_TRUE(log.waitWritten(3000));
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(),
        QByteArray(kLogHeader) + "2026-03-04T12:05:06.078,reading,25,30,0,measuring\n"
            + "2026-03-04T12:05:06.078,reading,26,30,0,measuring\n");

    ReadingsLog broken(dir.filePath("missing/log.csv"));
    QStringList failed;
    QObject::connect(&broken, &ReadingsLog::failed, [&](const QString& message) { failed << message; });
    for (int i = 0; i < 3; ++i)
        broken.append({ kNoon, "reading", "25", "30", 0, "measuring" });
    ASSERT_TRUE(broken.waitWritten(3000));
    EXPECT_TRUE(waitUntil([&] { return failed.count() > 0; }));
    waitUntil([] { return false; }, 100);
    ASSERT_EQ(failed.count(), 1);
    EXPECT_TRUE(failed[0].startsWith("读数记录文件 " + dir.filePath("missing/log.csv") + " 无法写入："));
}

} // namespace

namespace {

// The console's events go out whether or not a log is set, with the state as
// it stands after each; the state is announced only when it changes.
TEST_F(ConsoleTest, EveryEventAndStateChangeGoesOutWithoutALog)
{
    storeSetPoint(QStringLiteral("30"));
    load();
    QStringList events;
    QList<ConsoleState> states;
    QObject::connect(&window->events(), &ConsoleEvents::happened, [&](const ConsoleEvent& e) {
        events << e.event + u'@' + e.reading + u'/' + QString::number(e.alarm.value_or(-1));
    });
    QObject::connect(
        &window->events(), &ConsoleEvents::stateChanged, [&](const ConsoleState& s) { states << s; });
    c().Text1->setText(QStringLiteral("EXIT"));
    feed(QStringLiteral("35X\r\n"));
    feed(QStringLiteral("36X\r\n"));
    window->acknowledgeAlarm();
    feed(QStringLiteral("25X\r\n"));
    EXPECT_EQ(events,
        QStringList({ "alarm@35/1", "reading@35/1", "reading@36/1", "acknowledged@36/1", "cleared@25/0",
            "reading@25/0" }));
    ASSERT_FALSE(states.isEmpty());
    const QList<AlarmLevel> levels { AlarmLevel::Active, AlarmLevel::Acknowledged, AlarmLevel::Normal };
    QList<AlarmLevel> seen;
    for (const ConsoleState& s : states) {
        if (seen.isEmpty() || seen.last() != s.alarm)
            seen << s.alarm;
    }
    EXPECT_EQ(seen.mid(seen.indexOf(AlarmLevel::Active)), levels);
    EXPECT_EQ(window->events().state().reading, QStringLiteral("25"));
    EXPECT_EQ(window->events().state().setPoint, QStringLiteral("30"));
    EXPECT_FALSE(window->events().state().linkUp);
}

// A log that cannot be written stands in the status line through any number
// of readings, and goes when the log writes again.
TEST_F(ConsoleTest, AnUnwritableLogStaysReportedUntilItWritesAgain)
{
    storeSetPoint(QStringLiteral("30"));
    load();
    const QString folder = settingsDir.filePath(QStringLiteral("logs"));
    window->openReadingsLog(folder + QStringLiteral("/readings.csv"));
    c().Text1->setText(QStringLiteral("EXIT"));
    feed(QStringLiteral("20X\r\n"));
    ASSERT_TRUE(waitUntil([&] { return status().startsWith(QStringLiteral("读数记录文件 ")); }));
    for (int i = 0; i < 10; ++i) {
        feed(QStringLiteral("2%1X\r\n").arg(i));
        ASSERT_TRUE(window->readingsLog()->waitWritten(3000));
    }
    waitUntil([] { return false; }, 100);
    EXPECT_TRUE(status().startsWith(QStringLiteral("读数记录文件 "))) << status().toStdString();
    ASSERT_TRUE(QDir().mkpath(folder));
    feed(QStringLiteral("30X\r\n"));
    EXPECT_TRUE(waitUntil([&] { return status() == frmMain::kStatusLinked; })) << status().toStdString();
}

} // namespace
