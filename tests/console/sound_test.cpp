// The buzzer as the operator hears it, through a real sound server started by
// the test: a standing alarm heard every second, alarm after alarm heard and
// silenced at once, a sound server that dies and comes back, and none at all.
#include "consolefixture.h"

#include "alarmplayer.h"
#include "lamp.h"
#include "ptypair.h"
#include "shelltestsupport.h"
#include "soundserver.h"

#include <QTest>

SoundServer* g_sound = nullptr;
QString g_soundProblem;

namespace {

const QString kFault = QStringLiteral("报警音无法播放：");

class Buzzer : public ConsoleTest {
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_TRUE(pty.ok());
        loadConnectedTo(pty.slavePath());
        ASSERT_TRUE(window->port().PortOpen());
    }
    void reading(const QString& value) { boardSends(pty, value); }

    PtyPair pty;
};

class BuzzerOnASoundServer : public Buzzer {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(g_sound) << g_soundProblem.toStdString();
        Buzzer::SetUp();
    }
};

TEST_F(BuzzerOnASoundServer, HeardEverySecondOfAStandingAlarm)
{
    reading(QStringLiteral("35"));
    ASSERT_GE(g_sound->waitHeard(2500), 0);
    const qsizetype from = g_sound->heard().size();
    // The board goes on sending a reading a second, as a real one does.
    for (int s = 0; s < 60; ++s) {
        reading(s % 2 ? QStringLiteral("35") : QStringLiteral("36"));
        QTest::qWait(1000);
    }
    const QVector<bool> heard = g_sound->heard().mid(from, 600);
    ASSERT_GE(heard.size(), 590);
    int seconds = 0, silence = 0, longest = 0;
    for (qsizetype i = 0; i < heard.size(); ++i) {
        if (i % 10 == 0)
            seconds += heard.mid(i, 10).contains(true);
        silence = heard[i] ? 0 : silence + SoundServer::kWindowMs;
        longest = std::max(longest, silence);
    }
    EXPECT_GE(seconds, 57);
    EXPECT_LE(longest, 2000);
    EXPECT_FALSE(status().contains(kFault)) << status().toStdString();
}

// Every other alarm is acknowledged before it clears; each is heard, and each
// falls silent at once when acknowledged or cleared.
TEST_F(BuzzerOnASoundServer, TwentyAlarmsEachHeardAndSilencedAtOnce)
{
    for (int i = 0; i < 20; ++i) {
        SCOPED_TRACE(i);
        reading(QStringLiteral("35"));
        EXPECT_GE(g_sound->waitHeard(2500), 0);
        if (i % 2)
            typeEscape();
        else
            reading(QStringLiteral("25"));
        EXPECT_TRUE(g_sound->waitSilent(600, 1200));
        if (i % 2)
            reading(QStringLiteral("25"));
    }
}

TEST_F(BuzzerOnASoundServer, HeardAgainAfterTheSoundServerComesBack)
{
    for (const int awayMs : { 1000, 6000 }) {
        SCOPED_TRACE(awayMs);
        reading(QStringLiteral("35"));
        ASSERT_GE(g_sound->waitHeard(2500), 0);
        g_sound->kill();
        EXPECT_TRUE(waitUntil([&] { return status().startsWith(kFault); }, 3000)) << status().toStdString();
        QTest::qWait(awayMs);
        EXPECT_TRUE(c().Shape2->isLit());
        QString why;
        ASSERT_TRUE(g_sound->start(&why)) << why.toStdString();
        EXPECT_GE(g_sound->waitHeard(5000), 0);
        EXPECT_TRUE(waitUntil([&] { return !status().contains(kFault); }, 3000)) << status().toStdString();
        reading(QStringLiteral("25"));
    }
}

// Run in a process of its own whose sound server never existed.
TEST_F(Buzzer, WithoutASoundServerTheFaultStandsAndTheConsoleGoesOn)
{
    ASSERT_FALSE(g_sound);
    reading(QStringLiteral("35"));
    EXPECT_TRUE(waitUntil([&] { return status().startsWith(kFault); }, 3000)) << status().toStdString();
    EXPECT_TRUE(c().Shape2->isLit());
    reading(QStringLiteral("36"));
    EXPECT_TRUE(status().startsWith(kFault)) << "a reading does not wipe it";
    reading(QStringLiteral("25"));
    EXPECT_TRUE(c().Shape1->isLit());
    EXPECT_EQ(window->alarmSound().fault(), status().mid(kFault.size()));
}

} // namespace

// The sound server is started before anything plays: Qt's audio engine
// connects once, at its first use. With TUVELA_NO_SOUND_SERVER=1 there is none.
int main(int argc, char** argv)
{
    const bool none = qEnvironmentVariableIntValue("TUVELA_NO_SOUND_SERVER") == 1;
    SoundServer server;
    qputenv("PULSE_SERVER", none ? QByteArray("unix:/nonexistent/native") : server.address().toUtf8());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(filter) == "*")
        GTEST_FLAG_SET(filter, none ? "Buzzer.*" : "BuzzerOnASoundServer.*");
    if (!none && server.start(&g_soundProblem))
        g_sound = &server;
    return RUN_ALL_TESTS();
}
