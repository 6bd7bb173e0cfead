// The console against the simulated temperature controller on a
// pseudo-terminal: connect, readings, the set-point cycle, the saved set-point,
// the alarm sound and the chart.
#include "consolefixture.h"

#include "alarmplayer.h"
#include "lamp.h"
#include "ptypair.h"
#include "segmentdisplay.h"
#include "shelltestsupport.h"
#include "tempboard.h"
#include "uchistogram.h"

#include <QPushButton>

namespace {

class EndToEndTest : public ConsoleTest {
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_TRUE(pty.ok());
        loadConnectedTo(pty.slavePath());
        ASSERT_TRUE(window->port().PortOpen());
    }

    // Runs the event loop with the board answering every command it receives,
    // until `done` holds.
    bool serve(const std::function<bool()>& done)
    {
        return waitUntil([&] {
            for (const char command : pty.read(5)) {
                const std::string answer = board.command(command);
                if (!answer.empty())
                    pty.write(answer);
            }
            return done();
        });
    }
    // One of the board's periodic lines, and the wait until the console shows it.
    bool tick()
    {
        const std::string line = board.tick();
        const QString reading = QString::fromStdString(line.substr(0, line.size() - 3));
        pty.write(line);
        return serve([&] { return window->RxBuffer().isEmpty() && c().txtBarcode->text() == reading; });
    }
    // Presses a button and waits for the board's answer line to show.
    bool press(QPushButton* button, const QString& shown, const QString& linkState = QStringLiteral("OK"))
    {
        button->click();
        return serve([&] {
            return c().Mo->Value() == shown && window->RxBuffer().isEmpty() && c().Text1->text() == linkState;
        });
    }

    PtyPair pty;
    TempBoard board { TempBoardOptions {} }; // starts at 25 with the set-point 30
};

TEST_F(EndToEndTest, ReadingsSetPointCycleAlarmAndChart)
{
    EXPECT_EQ(c().Text1->text(), QStringLiteral("EXIT"));
    ASSERT_TRUE(tick());
    EXPECT_EQ(c().Mo->Value(), c().txtBarcode->text());
    EXPECT_EQ(status(), frmMain::kStatusLinked);
    EXPECT_TRUE(c().Shape1->isLit());
    EXPECT_EQ(window->AlarmOn(), 0);
    const ChartModel& chart = c().ucHistogram1->model();
    const int before = chart.PointCount;
    EXPECT_TRUE(serve([&] { return chart.PointCount > before; }));
    EXPECT_EQ(QString::number(chart.Points[chart.PointCount - 1]), c().txtBarcode->text());

    // Set-point mode: "3" is answered by the set-point with "O".
    ASSERT_TRUE(press(c().Command4, QStringLiteral("30")));
    EXPECT_EQ(c().Text1->text(), QStringLiteral("OK"));
    EXPECT_EQ(c().Label1->text(), QStringLiteral("报警温度："));
    EXPECT_TRUE(c().Shape3->isLit());
    EXPECT_FALSE(c().Shape1->isLit());
    ASSERT_TRUE(press(c().Command3, QStringLiteral("31")));
    ASSERT_TRUE(press(c().Command3, QStringLiteral("32")));
    ASSERT_TRUE(press(c().Command2, QStringLiteral("31")));
    // "6": saved at once, then again when the board's "N" arrives on the line
    // that shows the current temperature again.
    ASSERT_TRUE(press(c().Command8, QStringLiteral("25"), QStringLiteral("EXIT")));
    EXPECT_TRUE(c().Shape1->isLit());
    EXPECT_FALSE(board.setpointMode());
    EXPECT_EQ(c().Text1->text(), QStringLiteral("EXIT"));
    EXPECT_EQ(c().Label1->text(), QStringLiteral("当前温度："));
    EXPECT_FALSE(c().Shape3->isLit());
    EXPECT_EQ(storedSetPoint(), QStringLiteral("31"));
    EXPECT_EQ(window->SetTemp(), QStringLiteral("31"));

    // Over the set-point the buzzer sounds every tick until a normal reading.
    pty.write(TempBoard::line(33, 'C'));
    ASSERT_TRUE(serve([&] { return window->AlarmOn() == 1; }));
    EXPECT_TRUE(c().Shape2->isLit());
    EXPECT_TRUE(serve([&] { return window->alarmSound().sounding(); }));
    pty.write(TempBoard::line(24, 'C'));
    ASSERT_TRUE(serve([&] { return window->AlarmOn() == 0; }));
    EXPECT_FALSE(window->alarmSound().sounding());
    EXPECT_TRUE(c().Shape1->isLit());
    EXPECT_TRUE(serve([&] { return chart.Points[chart.PointCount - 1] == 24; }));
}

} // namespace
