// The real console on a real broker: tempconsole (copied into a folder of its
// own, so its settings file is the test's) against the board simulator,
// watched and commanded as a supervisor would with mosquitto_sub and
// mosquitto_pub.
#include "labbroker.h"
#include "shelltestsupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>

namespace {

class LabDesk : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(broker.start()); }
    void TearDown() override
    {
        for (QProcess* p : { &console, &board }) {
            p->kill();
            p->waitForFinished(5000);
        }
    }

    // Starts the board simulator with `options`; its device path.
    QString startBoard(const QStringList& options)
    {
        board.start(QStringLiteral(TEMPBOARD_PATH), options);
        board.waitForReadyRead(5000);
        return QString::fromUtf8(board.readLine()).trimmed();
    }
    // Starts the console with the section MQTT given as `mqtt` lines, on the
    // board's device when one is given.
    void startConsole(const QString& mqtt, const QString& device = {}, const QStringList& extra = {})
    {
        QFile::copy(QStringLiteral(TEMPCONSOLE_PATH), dir.filePath(QStringLiteral("tempconsole")));
        QFile::copy(QStringLiteral(BUZZ5_WAV), dir.filePath(QStringLiteral("BUZZ5.wav")));
        QFile ini(dir.filePath(QStringLiteral("tuvela.ini")));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        // The broker's plain port and a short keep-alive unless `mqtt` says otherwise.
        QString section = mqtt;
        for (const QString& line : { "URL=" + broker.url(), QStringLiteral("KEEPALIVE=5") }) {
            if (!mqtt.contains(line.section(u'=', 0, 0) + u'='))
                section += line + u'\n';
        }
        ini.write(("[TEMP]\nSETTEMP=30\nALARMDELAY=0\n[MQTT]\n" + section).toUtf8());
        ini.close();
        QFile::setPermissions(ini.fileName(), QFile::ReadOwner | QFile::WriteOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:/nonexistent"));
        console.setProcessEnvironment(env);
        QStringList args = extra;
        if (!device.isEmpty())
            args << QStringLiteral("--com1") << device << QStringLiteral("--connect");
        console.start(dir.filePath(QStringLiteral("tempconsole")), args);
        ASSERT_TRUE(console.waitForStarted(5000));
    }
    QString settings()
    {
        QFile ini(dir.filePath(QStringLiteral("tuvela.ini")));
        return ini.open(QIODevice::ReadOnly) ? QString::fromUtf8(ini.readAll()) : QString();
    }
    bool consoleSays(const QString& text, int timeoutMs = 15000)
    {
        return waitUntil(
            [&] {
                m_stderr += QString::fromUtf8(console.readAllStandardError());
                return m_stderr.contains(text);
            },
            timeoutMs);
    }
    bool command(const QString& leaf, const QString& payload, bool retain = false)
    {
        return broker.publish(QStringLiteral("tuvela/bench01/cmd/") + leaf, payload, retain);
    }

    LabBroker broker;
    QTemporaryDir dir;
    QProcess board;
    QProcess console;
    QString m_stderr;
};

const QString kUser = QStringLiteral("USER=bench01\nPASSWORD=secret1\n");

TEST_F(LabDesk, StateAndDiscoveryRetainedThenTheWillAfterAKill)
{
    LabWatcher live(broker, QStringLiteral("tuvela/bench01/#"));
    startConsole(kUser, startBoard({ "--interval", "200" }));
    ASSERT_TRUE(live.waitFor(QStringLiteral("tuvela/bench01/temperature\t0\t25")));
    ASSERT_TRUE(consoleSays(QStringLiteral("实验室链路已连接")));
    {
        LabWatcher late(broker, QStringLiteral("#"));
        for (const char* retained : { "tuvela/bench01/status\t1\tonline", "tuvela/bench01/setpoint\t1\t30",
                 "tuvela/bench01/alarm\t1\tnormal", "tuvela/bench01/quiet\t1\tOFF",
                 "tuvela/bench01/link\t1\tconnected", "tuvela/bench01/temperature\t1\t",
                 "homeassistant/sensor/tuvela_bench01/temperature/config\t1\t{",
                 "homeassistant/binary_sensor/tuvela_bench01/link/config\t1\t{" })
            EXPECT_TRUE(late.waitFor(QString::fromUtf8(retained), 3000)) << retained;
        // With commands off no control is offered.
        EXPECT_FALSE(late.lines().join(u'\n').contains(QStringLiteral("/button/")));
        EXPECT_FALSE(late.lines().join(u'\n').contains(QStringLiteral("/cmd/")));
    }
    EXPECT_TRUE(live.waitFor(QStringLiteral("\"event\":\"reading\"")));
    // A dashboard that restarts says so; the bench sends everything again.
    const qsizetype before = live.payloads(QStringLiteral("tuvela/bench01/setpoint")).size();
    ASSERT_TRUE(broker.publish(QStringLiteral("homeassistant/status"), QStringLiteral("online")));
    EXPECT_TRUE(waitUntil(
        [&] { return live.payloads(QStringLiteral("tuvela/bench01/setpoint")).size() > before; }, 8000));
    ::kill(pid_t(console.processId()), SIGKILL);
    EXPECT_TRUE(live.waitFor(QStringLiteral("tuvela/bench01/status\t0\toffline"), 12000));
}

TEST_F(LabDesk, RemoteAcknowledgeAndSetPointDriveTheBoard)
{
    // A stale command left retained at the broker must not act at start.
    ASSERT_TRUE(command(QStringLiteral("setpoint"), QStringLiteral("35"), true));
    LabWatcher live(broker, QStringLiteral("tuvela/bench01/#"));
    startConsole(kUser + "COMMANDS=1\nSETMIN=20\nSETMAX=60\n",
        startBoard({ "--start", "40", "--min", "38", "--max", "42", "--interval", "300" }));
    ASSERT_TRUE(live.waitFor(QStringLiteral("tuvela/bench01/alarm\t0\tactive")));
    EXPECT_TRUE(live.waitFor(QStringLiteral("\"detail\":\"setpoint 35: retained message\"")));
    command(QStringLiteral("setpoint"), QString(), true); // cleared
    ASSERT_TRUE(command(QStringLiteral("acknowledge"), QStringLiteral("PRESS")));
    EXPECT_TRUE(live.waitFor(QStringLiteral("tuvela/bench01/alarm\t0\tacknowledged")));
    EXPECT_TRUE(live.waitFor(QStringLiteral("\"detail\":\"acknowledge\",\"event\":\"remote-acknowledge\"")));

    ASSERT_TRUE(command(QStringLiteral("setpoint"), QStringLiteral("45")));
    EXPECT_TRUE(live.waitFor(QStringLiteral("tuvela/bench01/setpoint\t0\t45"), 20000))
        << live.lines().filter(QStringLiteral("remote")).join(u'\n').toStdString();
    EXPECT_TRUE(live.waitFor(QStringLiteral("\"event\":\"remote-setpoint\"")));
    EXPECT_TRUE(live.waitFor(QStringLiteral("tuvela/bench01/alarm\t0\tnormal")));
    EXPECT_TRUE(settings().contains(QStringLiteral("SETTEMP=45")));

    QTest::qWait(1100); // clear of the commands' limit a second
    struct Refused {
        const char* payload;
        const char* detail;
    };
    for (const Refused& r : { Refused { "150", "setpoint 150: outside 20..60" },
             Refused { "abc", "setpoint abc: not a whole number" } }) {
        ASSERT_TRUE(command(QStringLiteral("setpoint"), QString::fromUtf8(r.payload)));
        EXPECT_TRUE(
            live.waitFor(QStringLiteral("\"detail\":\"%1\",\"event\":\"remote-refused\"").arg(r.detail)))
            << r.detail;
    }

    // A board that stops answering: "6" after two seconds, nothing stored.
    ::kill(pid_t(board.processId()), SIGSTOP);
    ASSERT_TRUE(command(QStringLiteral("setpoint"), QStringLiteral("50")));
    EXPECT_TRUE(live.waitFor(QStringLiteral("setpoint 50: no answer from the board"), 8000));
    ::kill(pid_t(board.processId()), SIGCONT);
    EXPECT_TRUE(settings().contains(QStringLiteral("SETTEMP=45")));

    // More than five a second are refused.
    for (int i = 0; i < 7; ++i)
        command(QStringLiteral("acknowledge"), QStringLiteral("PRESS"));
    EXPECT_TRUE(live.waitFor(QStringLiteral("more than 5 commands a second")));

    // A clean stop says "offline" itself.
    console.terminate();
    EXPECT_TRUE(console.waitForFinished(10000));
    EXPECT_EQ(console.exitCode(), 0);
    EXPECT_TRUE(live.waitFor(QStringLiteral("tuvela/bench01/status\t0\toffline"), 3000));
}

TEST_F(LabDesk, RefusalsAndALinkDownAreReported)
{
    struct Case {
        QString mqtt;
        const char* says;
    };
    const Case cases[] {
        { QStringLiteral("USER=bench01\nPASSWORD=wrong\n"), "用户名或密码错误" },
        { QStringLiteral("URL=%1\nCAFILE=%2\n").arg(broker.tlsUrl(), broker.otherCaFile()) + kUser,
            "证书不受信任" },
        { QStringLiteral("KEEPALIVE=2\n"), "[MQTT] KEEPALIVE" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.says);
        startConsole(c.mqtt);
        EXPECT_TRUE(consoleSays(QString::fromUtf8(c.says)));
        console.kill();
        console.waitForFinished(5000);
        m_stderr.clear();
    }
    // Over TLS with the right CA and no serial link: a set-point is refused.
    LabWatcher live(broker, QStringLiteral("tuvela/bench01/#"));
    startConsole(
        QStringLiteral("URL=%1\nCAFILE=%2\nCOMMANDS=1\n").arg(broker.tlsUrl(), broker.caFile()) + kUser);
    ASSERT_TRUE(live.waitFor(QStringLiteral("tuvela/bench01/status\t0\tonline")));
    command(QStringLiteral("setpoint"), QStringLiteral("35"));
    EXPECT_TRUE(live.waitFor(QStringLiteral("setpoint 35: serial link down")));
}

TEST_F(LabDesk, AStalledOrAbsentBrokerCostsTheBenchNothingAndLosesNothing)
{
    const QString log = dir.filePath(QStringLiteral("readings.csv"));
    LabWatcher live(broker, QStringLiteral("tuvela/bench01/events"));
    startConsole(kUser, startBoard({ "--start", "40", "--min", "38", "--max", "42", "--interval", "250" }),
        { QStringLiteral("--log"), log });
    ASSERT_TRUE(live.waitFor(QStringLiteral("\"event\":\"alarm\"")));
    broker.pause();
    QTest::qWait(8000); // past the keep-alive: the console gives the broker up
    const QStringList rows = [&] {
        QFile f(log);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts)
                                           : QStringList();
    }();
    // Four readings a second kept coming into the log while the broker was stalled.
    const qsizetype readings = rows.filter(QStringLiteral(",reading,")).size();
    EXPECT_GE(readings, 28);
    broker.resume();
    broker.stop();
    QTest::qWait(2000);
    ASSERT_TRUE(broker.start()); // an empty broker again: nothing retained
    LabWatcher after(broker, QStringLiteral("tuvela/bench01/events"));
    // Every row logged while the broker was away reaches it, in order.
    const QString lastLogged = rows.last().section(u',', 0, 0);
    ASSERT_TRUE(after.waitFor(lastLogged, 30000)) << lastLogged.toStdString();
    QStringList times;
    for (const QString& p : live.payloads(QStringLiteral("tuvela/bench01/events"))
            + after.payloads(QStringLiteral("tuvela/bench01/events")))
        times << p.section(QStringLiteral("\"time\":\""), 1).left(23);
    for (const QString& row : rows.mid(1))
        EXPECT_TRUE(times.contains(row.left(23))) << row.toStdString();
}

} // namespace
