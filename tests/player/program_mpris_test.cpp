// The real program on a private session bus, driven by playerctl: a second
// player takes the instance name instead of giving up, and Quit ends each
// one as its close box would.
#include "privatebus.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr int kWait = 20000;

TEST(PlayerProgramOnTheBus, SecondPlayerTakesTheInstanceNameAndQuitEndsEach)
{
    playertest::PrivateBus bus;
    if (QStandardPaths::findExecutable(QStringLiteral("playerctl")).isEmpty() || !bus.start())
        GTEST_SKIP() << "playerctl or dbus-daemon is not installed";
    QTemporaryDir folder;
    QProcessEnvironment env = bus.environment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess first;
    QProcess second;
    for (QProcess* p : { &first, &second }) {
        p->setProcessEnvironment(env);
        p->setWorkingDirectory(folder.path());
    }
    // playerctl has no quit command: the desktop's own call, as a panel makes it.
    const auto quit = [&](const QString& name) {
        QProcess send;
        send.setProcessEnvironment(env);
        send.start(QStringLiteral("dbus-send"),
            { QStringLiteral("--session"), QStringLiteral("--print-reply"),
                QStringLiteral("--dest=org.mpris.MediaPlayer2.") + name,
                QStringLiteral("/org/mpris/MediaPlayer2"), QStringLiteral("org.mpris.MediaPlayer2.Quit") });
        return QTest::qWaitFor([&] { return send.state() == QProcess::NotRunning; }, kWait)
            && send.exitCode() == 0;
    };
    const auto players = [&] { return bus.playerctl({ QStringLiteral("-l") }).split(u'\n'); };
    first.start(QStringLiteral(REMOTEPLAYER_PATH), {});
    ASSERT_TRUE(QTest::qWaitFor([&] { return players().contains(QStringLiteral("remoteplayer")); }, kWait));
    second.start(QStringLiteral(REMOTEPLAYER_PATH), {});
    const QString instance = QStringLiteral("remoteplayer.instance%1").arg(second.processId());
    ASSERT_TRUE(QTest::qWaitFor([&] { return players().contains(instance); }, kWait));
    EXPECT_EQ(bus.playerctl({ QStringLiteral("-p"), instance, QStringLiteral("status") }),
        QStringLiteral("Stopped"));

    EXPECT_TRUE(quit(instance));
    EXPECT_TRUE(QTest::qWaitFor([&] { return second.state() == QProcess::NotRunning; }, kWait));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);
    EXPECT_EQ(players(), QStringList { QStringLiteral("remoteplayer") });

    EXPECT_TRUE(quit(QStringLiteral("remoteplayer")));
    EXPECT_TRUE(QTest::qWaitFor([&] { return first.state() == QProcess::NotRunning; }, kWait));
    EXPECT_EQ(first.exitCode(), 0);
    for (QProcess* p : { &first, &second }) {
        p->kill();
        p->waitForFinished();
    }
}

} // namespace
