// tempconsole's window against the temperature controller firmware in
// mcusim: readings shown, and the set-point cycle driven from the buttons
// and saved.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "comport.h"
#include "connectionpanel.h"
#include "frmmain.h"
#include "inifile.h"
#include "qtwait.h"
#include "segmentdisplay.h"
#include "simprocess.h"

namespace {

TEST(ConsoleWithTempctl, ShowsReadingsAndSavesTheSetPointCycle)
{
    SettingsFileGuard settings(settingsPath().toStdString());
    MessageBoxAnswerer answerer;
    SimProcess sim("tempctl.elf");
    ASSERT_TRUE(sim.started());
    sim.command("adc 0 312"); // 31 degrees

    ProgramContext context { settingsPath(), {} };
    context.devices.setPath(1, QString::fromStdString(sim.devicePath()));
    frmMain window(context);
    window.Form_Load();
    window.show();
    const frmMainControls& c = window.controls();
    c.panel->cmdConnect()->click();
    ASSERT_TRUE(window.port().PortOpen());

    const auto showing = [&](const QString& reading) {
        return waitFor([&] { return c.txtBarcode->text() == reading && c.Mo->Value() == reading; }, 3000);
    };
    ASSERT_TRUE(showing("31")) << c.txtBarcode->text().toStdString();
    EXPECT_EQ(c.Label1->text(), "当前温度：");

    // "设定温度": the board shows its set-point (25 on a new chip).
    c.Command4->click();
    ASSERT_TRUE(showing("25"));
    EXPECT_EQ(c.Label1->text(), "报警温度：");
    EXPECT_EQ(c.Text1->text(), "OK");

    c.Command3->click(); // "增加"
    ASSERT_TRUE(showing("26"));
    c.Command3->click();
    ASSERT_TRUE(showing("27"));
    c.Command2->click(); // "减少"
    ASSERT_TRUE(showing("26"));
    c.Command3->click();
    ASSERT_TRUE(showing("27"));

    // "退出设定": the last value shown becomes the stored set-point.
    c.Command8->click();
    EXPECT_TRUE(waitFor([&] { return c.Label1->text() == "当前温度："; }, 3000));
    EXPECT_EQ(c.Text1->text(), "EXIT");
    EXPECT_EQ(GetFromINI("TEMP", "SETTEMP", window.IniPath()), "27");

    // Measuring again: 31 is above the new set-point of 27.
    ASSERT_TRUE(showing("31"));
    EXPECT_TRUE(waitFor([&] { return window.AlarmOn() == 1; }, 3000));
    EXPECT_TRUE(answerer.texts.isEmpty()) << answerer.texts.join('\n').toStdString();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
