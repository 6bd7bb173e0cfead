// The receive handler: readings on the display and in txtBarcode, the lamps
// and the alarm flag, the set-point mode signals and the saved set-point.
#include "consolefixture.h"

#include "lamp.h"
#include "segmentdisplay.h"
#include "shelltestsupport.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTimer>

namespace {

const QString kMeasuring = QStringLiteral("当前温度：");
const QString kSetPointMode = QStringLiteral("报警温度：");

class ReceiveTest : public ConsoleTest {
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        c().Text1->setText(QStringLiteral("EXIT")); // as after connect
    }
    void expectLamps(bool normal, bool setting, bool over)
    {
        EXPECT_EQ(c().Shape1->isLit(), normal);
        EXPECT_EQ(c().Shape3->isLit(), setting);
        EXPECT_EQ(c().Shape2->isLit(), over);
    }
};

bool startsWithDigit(const char* text)
{
    return text[0] >= '0' && text[0] <= '9';
}

struct AlarmCase {
    const char* setPoint; // nullptr: none stored
    const char* line;
    const char* reading;
    bool alarm;
};

class AlarmTest : public ReceiveTest, public ::testing::WithParamInterface<AlarmCase> { };

TEST_P(AlarmTest, ReadingAgainstStoredSetPoint)
{
    const AlarmCase& p = GetParam();
    if (p.setPoint)
        storeSetPoint(QString::fromUtf8(p.setPoint));
    load();
    feed(QString::fromUtf8(p.line));
    EXPECT_EQ(c().txtBarcode->text(), QString::fromUtf8(p.reading));
    if (startsWithDigit(p.reading)) {
        EXPECT_EQ(c().Mo->Value(), QString::fromUtf8(p.reading));
    }
    EXPECT_EQ(window->AlarmOn(), p.alarm ? 1 : 0);
    expectLamps(!p.alarm, false, p.alarm);
    EXPECT_EQ(status(), frmMain::kStatusLinked);
    EXPECT_TRUE(window->RxBuffer().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Readings, AlarmTest,
    ::testing::Values(AlarmCase { "30", "25X\r\n", "25", false }, AlarmCase { "30", "35X\r\n", "35", true },
        AlarmCase { "30", "30X\r\n", "30", true }, // at the set-point
        AlarmCase { "30", "100X\r\n", "100", true }, // compared as numbers, not as texts
        AlarmCase { "30", "9X\r\n", "9", false }, AlarmCase { "30", "29.5X\r\n", "29.5", false },
        AlarmCase { nullptr, "5X\r\n", "5", false }, // no set-point yet: no alarm
        AlarmCase { "30", "ab X\r\n", "ab ", true })); // not a number: compared as text

TEST_F(ReceiveTest, LoadShowsZeroAndReadsTheSetPointWithoutShowingIt)
{
    storeSetPoint(QStringLiteral("30"));
    load();
    EXPECT_EQ(c().txtBarcode->text(), QStringLiteral("0"));
    EXPECT_EQ(window->SetTemp(), QStringLiteral("30"));
    EXPECT_TRUE(c().Text2->text().isEmpty());
    EXPECT_FALSE(window->AlarmOn().has_value());
    expectLamps(false, false, false);
    EXPECT_EQ(window->IniPath(), iniPath());
}

TEST_F(ReceiveTest, SetPointModeRemembersTheValueShownBeforeTheLine)
{
    storeSetPoint(QStringLiteral("30"));
    load();
    feed(QStringLiteral("28X\r\n"));
    feed(QStringLiteral("O"));
    EXPECT_EQ(c().Text1->text(), QStringLiteral("OK"));
    EXPECT_EQ(c().Label1->text(), kSetPointMode);
    EXPECT_TRUE(c().Shape3->isLit());
    feed(QStringLiteral("35X\r\n")); // the mode signal stays part of the line
    EXPECT_EQ(c().Mo->Value(), QStringLiteral("O35"));
    EXPECT_EQ(c().Mo->Tag, QStringLiteral("28"));
    EXPECT_EQ(window->AlarmOn(), 0);
    expectLamps(false, true, false);
    // Between lines Text2 shows the remembered value, after a line the stored one.
    feed(QStringLiteral("3"));
    EXPECT_EQ(c().Text2->text(), QStringLiteral("O35"));
    feed(QStringLiteral("6X\r\n"));
    EXPECT_EQ(c().Text2->text(), QStringLiteral("30"));
}

TEST_F(ReceiveTest, ModeSignalAsTheFurtherCharacterStillYieldsTheReading)
{
    load();
    feed(QStringLiteral("25O\r\n"));
    EXPECT_EQ(c().Text1->text(), QStringLiteral("OK"));
    EXPECT_EQ(c().Label1->text(), kSetPointMode);
    EXPECT_EQ(c().txtBarcode->text(), QStringLiteral("25"));
    expectLamps(false, true, false);
}

TEST_F(ReceiveTest, LeavingSetPointModeSavesTheRememberedValue)
{
    storeSetPoint(QStringLiteral("30"));
    load();
    feed(QStringLiteral("32O\r\n31C\r\n31"));
    feed(QStringLiteral("N"));
    EXPECT_EQ(c().Text1->text(), QStringLiteral("EXIT"));
    EXPECT_EQ(c().Label1->text(), kMeasuring);
    EXPECT_FALSE(c().Shape3->isLit());
    EXPECT_EQ(storedSetPoint(), QStringLiteral("31"));
    feed(QStringLiteral("\r\n"));
    EXPECT_EQ(window->AlarmOn(), 1);
    EXPECT_EQ(window->SetTemp(), QStringLiteral("31"));
    // From the next line on the saved set-point is in force: 30 is below 31.
    feed(QStringLiteral("30C\r\n"));
    EXPECT_EQ(window->AlarmOn(), 0);
    expectLamps(true, false, false);
}

TEST_F(ReceiveTest, EmptyTagNeverOverwritesTheStoredSetPoint)
{
    storeSetPoint(QStringLiteral("30"));
    load();
    feed(QStringLiteral("N"));
    EXPECT_EQ(c().Text1->text(), QStringLiteral("EXIT"));
    EXPECT_EQ(storedSetPoint(), QStringLiteral("30"));
}

TEST_F(ReceiveTest, BareLineEndIsShownUncut)
{
    load();
    feed(QStringLiteral("\r\n"));
    EXPECT_EQ(c().txtBarcode->text(), QStringLiteral("\r\n"));
    EXPECT_EQ(c().Mo->Value(), c().txtBarcode->text());
    EXPECT_EQ(status(), frmMain::kStatusLinked);
}

TEST_F(ReceiveTest, EndlessNoiseKeepsTheBufferBounded)
{
    load();
    feed(QString(20000, QLatin1Char('x')));
    EXPECT_EQ(window->RxBuffer().size(), 4096);
    feed(QStringLiteral("27X\r\n"));
    EXPECT_TRUE(c().txtBarcode->text().endsWith(QStringLiteral("x27")));
    EXPECT_TRUE(window->RxBuffer().isEmpty());
}

TEST_F(ReceiveTest, NothingBeforeTheFirstLineTouchesTheStatus)
{
    load();
    feed(QStringLiteral("25X\r"));
    EXPECT_EQ(status(), QStringLiteral("空闲"));
    EXPECT_EQ(c().txtBarcode->text(), QStringLiteral("0"));
}

// A save that fails is reported once, by a box that opens after the handler
// has returned, naming the settings file.
TEST_F(ReceiveTest, FailedSaveIsReportedOnceOutsideTheHandler)
{
    load();
    QDir().mkpath(iniPath()); // a folder where the file should be: every write fails
    bool inHandler = false;
    bool openedInHandler = false;
    QStringList texts;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            openedInHandler = openedInHandler || inHandler;
            texts << box->text();
            box->done(QMessageBox::Ok);
        }
    });
    poll.start(5);
    for (int i = 0; i < 3; ++i) {
        inHandler = true;
        feed(QStringLiteral("O26X\r\n1N"));
        inHandler = false;
        waitUntil([&] { return !texts.isEmpty(); }, 300);
    }
    QDir().rmdir(iniPath());
    ASSERT_EQ(texts.size(), 1);
    EXPECT_FALSE(openedInHandler);
    EXPECT_TRUE(texts.first().contains(iniPath()));
    EXPECT_EQ(c().Text1->text(), QStringLiteral("EXIT"));
}

} // namespace
