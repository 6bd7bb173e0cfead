// End to end: a real infrared daemon on a private socket, its events made
// with its own simulate command, and the daemon stopped and started again
// while the window listens.
#include "formfixture.h"
#include "inifile.h"
#include "lircclient.h"
#include "mediaplayer.h"

#include "connectionpanel.h"

#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

namespace {

constexpr int kWait = 10000;

QString tool(const char* name)
{
    return QStandardPaths::findExecutable(QLatin1String(name),
        { QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin"), QStringLiteral("/sbin") });
}

class LircEndToEnd : public FormFixture {
protected:
    void SetUp() override
    {
        FormFixture::SetUp();
        lircd = tool("lircd");
        irsend = tool("irsend");
        ASSERT_FALSE(lircd.isEmpty() || irsend.isEmpty()) << "lircd and irsend are needed (package lirc)";
        socket = path("lircd.socket");
        QFile config(path("lircd.conf"));
        ASSERT_TRUE(config.open(QIODevice::WriteOnly)); // no remote: events come from irsend only
    }

    void TearDown() override
    {
        stopDaemon();
        FormFixture::TearDown();
    }

    void startDaemon()
    {
        daemon.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        daemon.start(lircd,
            { QStringLiteral("--nodaemon"), QStringLiteral("--options-file=/dev/null"),
                QStringLiteral("--driver=file"), QStringLiteral("--device=/dev/null"),
                QStringLiteral("--allow-simulate"), QStringLiteral("--output=") + socket,
                QStringLiteral("--pidfile=") + path("lircd.pid"),
                QStringLiteral("--logfile=") + path("lircd.log"), path("lircd.conf") });
        ASSERT_TRUE(daemon.waitForStarted());
    }

    void stopDaemon()
    {
        if (daemon.state() == QProcess::NotRunning)
            return;
        daemon.terminate();
        EXPECT_TRUE(daemon.waitForFinished(5000));
    }

    // One event as the daemon would decode it, sent to every client.
    void simulate(const QString& event)
    {
        QProcess send;
        send.start(irsend, { QStringLiteral("--device=") + socket, QStringLiteral("SIMULATE"), event });
        ASSERT_TRUE(send.waitForFinished(5000));
        ASSERT_EQ(send.exitCode(), 0) << send.readAllStandardError().toStdString();
    }

    QString connectedText() const { return QStringLiteral("已连接红外接收服务（LIRC）：") + socket; }
    QString goneText() const
    {
        return QStringLiteral("红外接收服务（LIRC）不可用：%1，恢复后自动重新连接").arg(socket);
    }

    QString lircd;
    QString irsend;
    QString socket;
    QProcess daemon;
};

TEST_F(LircEndToEnd, KeysHeldKeysAndTheDaemonComingAndGoing)
{
    QStringList codes = taught();
    codes[6] = QStringLiteral("KEY_VOLUMEUP");
    codes[7] = QStringLiteral("KEY_VOLUMEDOWN");
    Form1& f = open(codes);
    // Named in the settings file, as a machine's own daemon would be.
    ASSERT_TRUE(WritePrivateProfileString(
        QStringLiteral("IRCODE"), QStringLiteral("LIRC"), socket, playertest::context().settingsPath));
    f.listenToLirc(QString());
    ASSERT_NE(f.lirc(), nullptr);
    QSignalSpy told(f.lirc(), &LircClient::status);
    QLabel& status = *f.panel()->lblStatus();
    EXPECT_TRUE(QTest::qWaitFor([&] { return status.text() == goneText(); }, kWait));

    startDaemon();
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.lirc()->isConnected(); }, kWait));
    EXPECT_EQ(status.text(), connectedText());
    simulate(QStringLiteral("0000000020df40bf 00 KEY_VOLUMEUP myremote"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.wmp1()->settings.volume() == 53; }, kWait));
    EXPECT_EQ(f.txtBarcode()->text(), QStringLiteral("KEY_VOLUMEUP"));
    ASSERT_NE(f.form2(), nullptr);
    EXPECT_EQ(f.form2()->Text7()->text(), QStringLiteral("KEY_VOLUMEUP"));

    // Held: the daemon counts the repeats, about 110 ms apart.
    for (int count = 1; count <= 8; ++count) {
        QTest::qWait(100);
        simulate(
            QStringLiteral("0000000020df40bf %1 KEY_VOLUMEUP myremote").arg(count, 2, 16, QLatin1Char('0')));
    }
    QTest::qWait(200);
    EXPECT_GT(f.wmp1()->settings.volume(), 56) << "more than one step while held";
    EXPECT_EQ(f.form2()->Text7()->text(), QStringLiteral("KEY_VOLUMEUP"));
    // The serial receiver keeps working beside the daemon.
    key(QStringLiteral("K12"));
    EXPECT_TRUE(f.wmp1()->settings.mute());

    // The daemon goes away: told once however many retries fail.
    told.clear();
    stopDaemon();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !told.isEmpty(); }, kWait));
    QTest::qWait(2 * LircClient::kRetryMs + 500);
    ASSERT_EQ(told.size(), 1);
    EXPECT_EQ(told.first().first().toString(), goneText());
    EXPECT_EQ(status.text(), goneText());
    key(QStringLiteral("K12"));
    EXPECT_EQ(status.text(), goneText()) << "a key does not wipe it";

    // Back again: the client finds it by itself.
    startDaemon();
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.lirc()->isConnected(); }, kWait));
    EXPECT_EQ(status.text(), connectedText());
    const int volume = f.wmp1()->settings.volume();
    simulate(QStringLiteral("0000000020df40be 00 KEY_VOLUMEDOWN myremote"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.wmp1()->settings.volume() == volume - 3; }, kWait));
}

} // namespace
