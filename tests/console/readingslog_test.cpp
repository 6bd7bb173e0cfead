// The readings log: CSV rows, the header once per file, a failure reported once.
#include "readingslog.h"

#include "shelltestsupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QDateTime kNoon(QDate(2026, 3, 4), QTime(12, 5, 6, 78));

TEST(ReadingsLog, RowsAreCsvWithIsoTimeAndQuotedFields)
{
    struct Case {
        LogRow row;
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
