// remoteplayer's window against the infrared receiver firmware in mcusim:
// a key taught in the setup window runs its action after a restart, and
// repeats while held.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include "comport.h"
#include "connectionpanel.h"
#include "form1.h"
#include "form2.h"
#include "inifile.h"
#include "mediaplayer.h"
#include "qtwait.h"
#include "simprocess.h"

namespace {

// Presses a remote key and waits until the window has shown its line; the
// display is cleared first, so that a key repeated counts too.
bool pressKey(SimProcess& sim, Form1& window, const std::string& command, const QString& line)
{
    window.txtBarcode()->clear();
    sim.command(command);
    return waitFor([&] { return window.txtBarcode()->text() == line; }, 3000);
}

// A new main window on COM1, connected: what the program does at start and
// when the operator presses "连接".
std::unique_ptr<Form1> startPlayer(const SimProcess& sim)
{
    ProgramContext context { settingsPath(), {} };
    context.devices.setPath(1, QString::fromStdString(sim.devicePath()));
    auto window = loadWindow<Form1>(context);
    window->show();
    window->panel()->cmdConnect()->click();
    return window;
}

TEST(PlayerWithIrrecv, TaughtCodeRunsItsActionAfterRestart)
{
    SettingsFileGuard settings(settingsPath().toStdString());
    MessageBoxAnswerer answerer;
    SimProcess sim("irrecv.elf");
    ASSERT_TRUE(sim.started());

    auto window = startPlayer(sim);
    ASSERT_TRUE(window->port().PortOpen());

    // The first key loads the setup window hidden: the code reaches its
    // receive field, and no row is taught behind the operator's back.
    ASSERT_TRUE(pressKey(sim, *window, "ir 20DF10EF", "20DF10EF"));
    ASSERT_NE(window->form2(), nullptr);
    EXPECT_EQ(window->form2()->Text7()->text(), "20DF10EF");
    EXPECT_NE(window->form2()->Text1(0)->text(), "20DF10EF");

    // With the window shown, teach "音量+" (row 7) the next key and save.
    window->form2()->show();
    window->form2()->findChild<QAbstractButton*>("Opt7")->click();
    sim.command("ir 807F40BF");
    ASSERT_TRUE(waitFor([&] { return window->form2()->Text1(6)->text() == "807F40BF"; }, 3000));
    window->form2()->Command1()->click();
    EXPECT_EQ(answerer.texts, QStringList { "遥控键值已成功保存！" });
    EXPECT_EQ(GetFromINI("IRCODE", "KEYCODE7", settingsPath()), "807F40BF");

    // Taught codes take effect at the next start only.
    const int volumeBefore = window->wmp1()->settings.volume();
    ASSERT_TRUE(pressKey(sim, *window, "ir 807F40BF", "807F40BF"));
    EXPECT_EQ(window->wmp1()->settings.volume(), volumeBefore);
    window.reset();

    window = startPlayer(sim);
    ASSERT_TRUE(window->port().PortOpen());
    const int startVolume = window->wmp1()->settings.volume();
    ASSERT_TRUE(pressKey(sim, *window, "ir 807F40BF", "807F40BF"));
    EXPECT_EQ(window->wmp1()->settings.volume(), startVolume + 3);
    // One repeat frame right after the key comes before repeats begin.
    ASSERT_TRUE(pressKey(sim, *window, "irrep", "FFFFFFFF"));
    EXPECT_EQ(window->wmp1()->settings.volume(), startVolume + 3);

    // Held: the key's frame, then a repeat frame every 108 ms as the remote
    // sends them. The volume steps again from 400 ms on.
    ASSERT_TRUE(pressKey(sim, *window, "ir 807F40BF", "807F40BF"));
    for (int frame = 0; frame < 10; ++frame) {
        waitFor([] { return false; }, 108);
        sim.command("irrep");
    }
    waitFor([] { return false; }, 300);
    EXPECT_EQ(window->txtBarcode()->text(), "FFFFFFFF");
    EXPECT_GT(window->wmp1()->settings.volume(), startVolume + 3 + 3 + 3)
        << "stepped more than once while held";
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
