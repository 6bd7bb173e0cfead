// The connection panel: probe, connect, disconnect, exit and a vanishing device.
#include "comport.h"
#include "connectionpanel.h"
#include "ptypair.h"
#include "shelltestsupport.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <array>
#include <sys/stat.h>

namespace {

class PanelTest : public ::testing::Test {
protected:
    void use(int number, const PtyPair& pty)
    {
        port.devices().setPath(number, QString::fromStdString(pty.slavePath()));
    }
    std::array<bool, 4> enabledOptions() const
    {
        return { panel.optComPort(0)->isEnabled(), panel.optComPort(1)->isEnabled(),
            panel.optComPort(2)->isEnabled(), panel.optComPort(3)->isEnabled() };
    }
    bool showsConnected() const
    {
        return !panel.cmdConnect()->isEnabled() && panel.cmdDisconnect()->isEnabled();
    }
    bool showsDisconnected() const
    {
        return panel.cmdConnect()->isEnabled() && !panel.cmdDisconnect()->isEnabled();
    }

    ConnectionPanel panel { ComDevices {}, ConnectionPanel::Arrangement::Column };
    ComPort& port = panel.port();
};

TEST_F(PanelTest, DesignedNamesCaptionsAndState)
{
    struct Expect {
        const char* name;
        const char* caption;
    };
    constexpr std::array kButtons { Expect { "cmdConnect", "连接" }, Expect { "cmdDisconnect", "断开" },
        Expect { "cmdExit", "退出" } };
    for (const Expect& e : kButtons) {
        auto* button = panel.findChild<QPushButton*>(e.name);
        ASSERT_NE(button, nullptr) << e.name;
        EXPECT_EQ(button->text(), QString::fromUtf8(e.caption));
        EXPECT_EQ(button->accessibleName(), QString::fromUtf8(e.caption));
    }
    for (int i = 0; i < 4; ++i) {
        auto* option = panel.findChild<QRadioButton*>(QStringLiteral("optComPort(%1)").arg(i));
        ASSERT_NE(option, nullptr);
        EXPECT_EQ(option->text(), QStringLiteral("COM%1").arg(i + 1));
        EXPECT_EQ(option->toolTip(), port.devices().path(i + 1));
        EXPECT_EQ(option->isChecked(), i == 0);
    }
    EXPECT_EQ(panel.objectName(), "fraFrames(2)");
    EXPECT_EQ(panel.title(), "串口连接选项");
    EXPECT_EQ(panel.findChild<QLabel*>("lblStatus")->text(), "空闲");
    EXPECT_TRUE(showsDisconnected());
}

TEST_F(PanelTest, ProbeDisablesUnusablePortsAndLeavesAllClosed)
{
    PtyPair com1, com3;
    use(1, com1);
    port.devices().setPath(2, "/dev/tuvela-missing");
    use(3, com3);
    port.devices().setPath(4, "");
    panel.probe();
    EXPECT_EQ(enabledOptions(), (std::array { true, false, true, false }));
    EXPECT_FALSE(port.PortOpen());
    EXPECT_EQ(port.CommPort(), 4);
    EXPECT_EQ(port.InputLen(), 1);
    EXPECT_EQ(port.RThreshold(), 1);
    EXPECT_EQ(panel.lblStatus()->text(), "空闲");
    EXPECT_FALSE(com1.listenerPresent());
    EXPECT_EQ(panel.optComPort(1)->toolTip(), "/dev/tuvela-missing");
}

TEST_F(PanelTest, PortWithoutPermissionStaysSelectableButConnectExplainsDialout)
{
    PtyPair com1;
    use(1, com1);
    const QByteArray device = QByteArray::fromStdString(com1.slavePath());
    struct stat st { };
    ASSERT_EQ(::stat(device.constData(), &st), 0);
    ::chmod(device.constData(), 0);
    std::shared_ptr<QString> box;
    {
        PermissionChecks checks;
        panel.probe();
        box = closeNextMessageBox();
        panel.cmdConnect_Click();
    }
    ::chmod(device.constData(), st.st_mode & 07777);
    EXPECT_TRUE(panel.optComPort(0)->isEnabled());
    EXPECT_TRUE(box->contains("dialout")) << box->toStdString();
    EXPECT_TRUE(box->contains(QString::fromStdString(com1.slavePath())));
    EXPECT_EQ(panel.lblStatus()->text(), "空闲");
    EXPECT_TRUE(showsDisconnected());
}

TEST_F(PanelTest, AllPortsFailingKeepsCom1SelectedAndConnectFailsWithAMessage)
{
    for (int i = 1; i <= kComPortCount; ++i)
        port.devices().setPath(i, QStringLiteral("/dev/tuvela-missing%1").arg(i));
    panel.probe();
    EXPECT_EQ(enabledOptions(), (std::array { false, false, false, false }));
    EXPECT_TRUE(panel.optComPort(0)->isChecked());
    const auto box = closeNextMessageBox();
    panel.cmdConnect_Click();
    EXPECT_TRUE(box->contains("/dev/tuvela-missing1")) << box->toStdString();
    EXPECT_TRUE(box->contains(comerr::text(68)));
    EXPECT_EQ(panel.lblStatus()->text(), "空闲");
    EXPECT_TRUE(showsDisconnected());
    EXPECT_FALSE(port.PortOpen());
}

TEST_F(PanelTest, ConnectAndDisconnectSwapButtonsAndTexts)
{
    PtyPair com1, com3;
    use(1, com1);
    use(3, com3);
    panel.probe();
    panel.optComPort(2)->setChecked(true);
    bool buttonsSwappedAtSignal = true;
    QObject::connect(&panel, &ConnectionPanel::connected, [&] {
        buttonsSwappedAtSignal = showsConnected();
        EXPECT_EQ(panel.lblStatus()->text(), "已连接...");
    });
    panel.cmdConnect()->click();
    EXPECT_FALSE(buttonsSwappedAtSignal);
    EXPECT_TRUE(showsConnected());
    EXPECT_EQ(panel.lblStatus()->text(), "已连接...");
    EXPECT_TRUE(port.PortOpen());
    EXPECT_EQ(port.CommPort(), 3);
    EXPECT_TRUE(com3.listenerPresent());
    EXPECT_TRUE(panel.optComPort(0)->isEnabled()); // options stay usable while connected

    panel.cmdDisconnect()->click();
    EXPECT_TRUE(showsDisconnected());
    EXPECT_EQ(panel.lblStatus()->text(), "已断开...");
    EXPECT_FALSE(port.PortOpen());

    // Connect with the port already open reopens it; disconnect after the port
    // was closed elsewhere still reports and swaps.
    panel.optComPort(0)->setChecked(true);
    port.setCommPort(3);
    port.setPortOpen(true);
    panel.cmdConnect_Click();
    EXPECT_TRUE(com1.listenerPresent());
    EXPECT_FALSE(com3.listenerPresent());
    port.setPortOpen(false);
    panel.cmdDisconnect_Click();
    EXPECT_EQ(panel.lblStatus()->text(), "已断开...");
    EXPECT_TRUE(showsDisconnected());
}

TEST_F(PanelTest, VanishedDeviceShowsDisconnectedAndReconnectWorks)
{
    auto com1 = std::make_unique<PtyPair>();
    use(1, *com1);
    panel.probe();
    panel.cmdConnect_Click();
    ASSERT_TRUE(showsConnected());
    com1->closeMaster();
    ASSERT_TRUE(waitUntil([&] { return showsDisconnected(); }));
    EXPECT_EQ(panel.lblStatus()->text(), "已断开...");
    EXPECT_FALSE(port.PortOpen());

    com1 = std::make_unique<PtyPair>();
    use(1, *com1);
    panel.cmdConnect_Click();
    EXPECT_TRUE(showsConnected());
    EXPECT_TRUE(com1->listenerPresent());
}

TEST_F(PanelTest, ExitAndWindowClosingCloseAnOpenPort)
{
    PtyPair com1;
    use(1, com1);
    panel.probe();
    panel.cmdConnect_Click();
    panel.closeWindowStep();
    EXPECT_FALSE(port.PortOpen());
    panel.closeWindowStep(); // closing again is harmless

    panel.cmdConnect_Click();
    QSignalSpy exit(&panel, &ConnectionPanel::exitRequested);
    panel.cmdExit()->click();
    EXPECT_EQ(exit.count(), 1);
    EXPECT_FALSE(port.PortOpen());
}

TEST(PanelGrid, PlayerArrangementTakesExtraControls)
{
    ConnectionPanel panel(ComDevices {}, ConnectionPanel::Arrangement::Grid);
    auto* extra = new QPushButton("设置遥控键值");
    panel.addExtra(extra);
    EXPECT_EQ(extra->parentWidget(), &panel);
    panel.show();
    const QPoint com1 = panel.optComPort(0)->geometry().topLeft();
    const QPoint com2 = panel.optComPort(1)->geometry().topLeft();
    const QPoint com3 = panel.optComPort(2)->geometry().topLeft();
    EXPECT_EQ(com1.y(), com2.y());
    EXPECT_GT(com3.y(), com1.y());
    EXPECT_EQ(panel.cmdConnect()->geometry().y(), panel.cmdExit()->geometry().y());
    EXPECT_GT(extra->geometry().y(), panel.lblStatus()->geometry().y());
}

} // namespace
