// The set-point buttons and the two timers.
#include "consolefixture.h"

#include "alarmplayer.h"
#include "lamp.h"
#include "ptypair.h"
#include "segmentdisplay.h"
#include "shelltestsupport.h"
#include "uchistogram.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

namespace {

class ButtonTest : public ConsoleTest {
protected:
    std::vector<QPushButton*> buttons() const
    {
        return { c().Command4, c().Command3, c().Command2, c().Command8 };
    }
};

TEST_F(ButtonTest, PressedWhileClosedTellsTheOperatorAndSavesNothing)
{
    storeSetPoint(QStringLiteral("30"));
    load();
    window->controls().Mo->Tag = QStringLiteral("33");
    for (QPushButton* button : buttons()) {
        const auto seen = closeNextMessageBox();
        button->click();
        EXPECT_TRUE(seen->startsWith(QStringLiteral("温度控制台\n"))) << button->objectName().toStdString();
        EXPECT_TRUE(seen->contains(QStringLiteral("连接"))) << seen->toStdString();
    }
    EXPECT_EQ(storedSetPoint(), QStringLiteral("30"));
}

TEST_F(ButtonTest, SendOneCommandCharacterEachAndLeaveSettingSaves)
{
    PtyPair board;
    ASSERT_TRUE(board.ok());
    loadConnectedTo(board.slavePath());
    ASSERT_TRUE(window->port().PortOpen());

    // Leaving the setting with an empty Tag keeps the stored value.
    c().Command8->click();
    EXPECT_EQ(storedSetPoint(), QStringLiteral("30"));
    window->controls().Mo->Tag = QStringLiteral("27");
    for (QPushButton* button : buttons())
        button->click();
    std::string sent;
    waitUntil([&] {
        sent += board.read(10);
        return sent.size() >= 5;
    });
    EXPECT_EQ(sent, "63546");
    EXPECT_EQ(storedSetPoint(), QStringLiteral("27"));
    EXPECT_EQ(window->SetTemp(), QStringLiteral("30")); // re-read only after the next line
}

struct SampleCase {
    const char* text;
    std::optional<std::int32_t> plotted;
};

class SamplingTest : public ConsoleTest, public ::testing::WithParamInterface<SampleCase> { };

TEST_P(SamplingTest, ChartTickConvertsTheReading)
{
    load();
    const ChartModel& chart = c().ucHistogram1->model();
    c().txtBarcode->setText(QString::fromUtf8(GetParam().text));
    window->Timer2_Timer();
    if (GetParam().plotted) {
        ASSERT_EQ(chart.PointCount, 2);
        EXPECT_EQ(chart.Points[1], *GetParam().plotted);
    } else {
        EXPECT_EQ(chart.PointCount, 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, SamplingTest,
    ::testing::Values(SampleCase { "0", 0 }, SampleCase { "25.5", 26 }, SampleCase { "26.5", 26 },
        SampleCase { " 27 ", 27 }, SampleCase { "99", 99 }, SampleCase { "100", std::nullopt },
        SampleCase { "abc", std::nullopt }, SampleCase { "", std::nullopt },
        SampleCase { "99999999999", std::nullopt }, SampleCase { "-3", -3 }));

TEST_F(ConsoleTest, TimersRunFromLoadAtTheirIntervals)
{
    EXPECT_FALSE(window->Timer1()->isActive());
    load();
    EXPECT_TRUE(window->Timer1()->isActive());
    EXPECT_TRUE(window->Timer2()->isActive());
    EXPECT_EQ(window->Timer1()->interval(), 1000);
    EXPECT_EQ(window->Timer2()->interval(), 300);
    // The chart advances with time, whether or not readings arrive.
    const ChartModel& chart = c().ucHistogram1->model();
    EXPECT_TRUE(waitUntil([&] { return chart.PointCount >= 3; }, 3000));
    EXPECT_EQ(chart.Points[1], 0);
}

TEST_F(ConsoleTest, BuzzerSoundsFromTheTickWhileAlarmedAndStopsOnANormalReading)
{
    storeSetPoint(QStringLiteral("30"));
    load();
    c().Text1->setText(QStringLiteral("EXIT"));
    const AlarmPlayer& sound = window->alarmSound();
    window->Timer1_Timer(); // alarm flag not set yet: silent
    EXPECT_FALSE(sound.sounding());
    feed(QStringLiteral("35X\r\n"));
    window->Timer1_Timer();
    EXPECT_TRUE(sound.sounding());
    feed(QStringLiteral("25X\r\n"));
    EXPECT_FALSE(sound.sounding()) << "a normal reading stops it at once";
    window->Timer1_Timer();
    EXPECT_FALSE(sound.sounding());
}

// Escape is the window's: it silences the alarm whichever control has the focus.
TEST_F(ConsoleTest, EscapeSilencesTheAlarmFromEveryKindOfControl)
{
    storeSetPoint(QStringLiteral("30"));
    load();
    c().Text1->setText(QStringLiteral("EXIT"));
    const struct {
        const char* kind;
        QWidget* control;
    } focus[] = {
        { "button", c().Command4 },
        { "panel button", c().panel->cmdConnect() },
        { "option", c().panel->optComPort(1) },
        { "reading box", c().txtBarcode },
        { "set-point box", c().Text2 },
        { "link-state box", c().Text1 },
        { "display", c().Mo },
        { "chart", c().ucHistogram1 },
        { "lamp", c().Shape2 },
    };
    for (const auto& f : focus) {
        feed(QStringLiteral("35X\r\n"));
        window->Timer1_Timer();
        ASSERT_TRUE(window->alarm().sounding()) << f.kind;
        typeEscape(f.control);
        EXPECT_TRUE(window->alarm().acknowledged()) << f.kind;
        EXPECT_FALSE(window->alarmSound().sounding()) << f.kind;
        feed(QStringLiteral("25X\r\n"));
    }
}

// What the buzzer says of a sound file it cannot play, before any alarm.
TEST(AlarmPlayer, FileFaults)
{
    QTemporaryDir dir;
    QFile text(dir.filePath(QStringLiteral("text.wav")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a sound");
    text.close();
    const struct {
        QString path;
        const char* fault;
    } cases[] = {
        { QStringLiteral(BUZZ5_WAV), "" },
        { QString(), "找不到声音文件 BUZZ5.wav" },
        { QStringLiteral("/nonexistent/BUZZ5.wav"), "声音文件 /nonexistent/BUZZ5.wav 无法打开" },
        { text.fileName(), "无法读取：不是 WAVE 声音文件" },
    };
    for (const auto& c : cases) {
        AlarmPlayer player(c.path);
        if (*c.fault == 0)
            EXPECT_EQ(player.fault(), QString()) << c.path.toStdString();
        else
            EXPECT_TRUE(player.fault().contains(QString::fromUtf8(c.fault))) << player.fault().toStdString();
        player.tick(true);
        EXPECT_TRUE(player.sounding()) << "asked to sound, whether or not it can";
        player.stop();
        EXPECT_FALSE(player.sounding());
    }
}

} // namespace
