// The console on a bench: the board simulator program on a pseudo-terminal
// reached through a symbolic link, unplugged and plugged back in, appearing
// after start, named in the settings file; the set-point cycle without a false
// alarm; the readings log of it all.
#include "consolefixture.h"

#include "alarmplayer.h"
#include "cmdline.h"
#include "lamp.h"
#include "portfollower.h"
#include "ptypair.h"
#include "readingslog.h"
#include "segmentdisplay.h"
#include "serialdevices.h"
#include "shelltestsupport.h"

#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

namespace {

// tempboard with a fixed temperature, its device linked at `link`.
class Board {
public:
    Board(const QString& link, int temperature = 25)
    {
        const QString t = QString::number(temperature);
        m_process.start(QStringLiteral(TEMPBOARD_PATH),
            { "--interval", "100", "--start", t, "--min", t, "--max", t, "--setpoint", "30", "--link",
                link });
        m_ok = m_process.waitForReadyRead(5000);
    }
    ~Board() { unplug(); }
    bool ok() const { return m_ok; }
    // Ends the board: its device vanishes and its link is removed.
    void unplug()
    {
        m_process.terminate();
        m_process.waitForFinished(3000);
    }

private:
    QProcess m_process;
    bool m_ok = false;
};

class BenchTest : public ConsoleTest {
protected:
    // The window as main() makes it, on this test's settings file.
    void start(const PortPaths& com, const QString& log = {})
    {
        window = std::make_unique<frmMain>(ProgramContext { iniPath(), startingComDevices(com, iniPath()) },
            QStringLiteral(BUZZ5_WAV), nullptr);
        window->Form_Load();
        PortFollower::follow(*c().panel, ProgramOptions { com, false, {} }, iniPath());
        window->openReadingsLog(log);
    }
    bool connected() const { return window->port().PortOpen() && c().panel->cmdDisconnect()->isEnabled(); }
    bool showing(const QString& reading) const
    {
        return c().txtBarcode->text() == reading && window->RxBuffer().isEmpty();
    }

    QTemporaryDir dir;
    const QString link = dir.filePath("tempboard");
    const PortPaths comLink { link, "/nonexistent/2", "/nonexistent/3", "/nonexistent/4" };
};

TEST_F(BenchTest, UnplugAndReturnReconnectsByItselfAndLogsIt)
{
    storeSetPoint("30");
    const QString log = dir.filePath("readings.csv");
    auto board = std::make_unique<Board>(link);
    ASSERT_TRUE(board->ok());
    start(comLink, log);
    c().panel->cmdConnect()->click();
    ASSERT_TRUE(waitUntil([&] { return showing("25"); }));

    board->unplug();
    ASSERT_TRUE(waitUntil([&] { return !window->port().PortOpen(); }));
    EXPECT_EQ(status(), "已断开...");
    EXPECT_TRUE(waitUntil([&] { return !c().panel->optComPort(0)->isEnabled(); })) << "gone: unselectable";
    board = std::make_unique<Board>(link, 26);
    ASSERT_TRUE(board->ok());
    ASSERT_TRUE(waitUntil([&] { return connected(); }));
    EXPECT_EQ(status(), "设备已重新接入，已自动连接...");
    EXPECT_TRUE(waitUntil([&] { return showing("26"); }));
    EXPECT_EQ(c().Text1->text(), "EXIT");

    c().panel->cmdDisconnect()->click();
    board = std::make_unique<Board>(link, 27);
    EXPECT_FALSE(waitUntil([&] { return window->port().PortOpen(); }, 1500))
        << "the operator's disconnect stands";

    ASSERT_TRUE(window->readingsLog()->waitWritten(3000));
    QFile file(log);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> rows = file.readAll().split('\n');
    EXPECT_EQ(rows[0], "time,event,reading,setpoint,alarm,mode");
    QStringList events;
    for (const QByteArray& row : rows.mid(1)) {
        const QList<QByteArray> f = row.split(',');
        if (f.size() == 6 && (events.isEmpty() || events.back() != f[1]))
            events << QString::fromLatin1(f[1]);
    }
    EXPECT_EQ(
        events, (QStringList { "connected", "reading", "lost", "reconnected", "reading", "disconnected" }));
    EXPECT_TRUE(rows[2].endsWith(",reading,25,30,0,measuring")) << rows[2].toStdString();
}

TEST_F(BenchTest, DeviceAppearingAfterStartAndSettingsEntryBecomeSelectable)
{
    const QString late = dir.filePath("late");
    ASSERT_TRUE(WritePrivateProfileString("PORTS", "COM3", late, iniPath()));
    start({ "/nonexistent/1", "/nonexistent/2", "", "/nonexistent/4" });
    EXPECT_EQ(window->port().devices().path(3), late);
    EXPECT_EQ(c().panel->optComPort(2)->accessibleDescription(), late + "\n来自设置文件 [PORTS] COM3");
    EXPECT_FALSE(c().panel->optComPort(2)->isEnabled());
    Board board(late);
    ASSERT_TRUE(board.ok());
    ASSERT_TRUE(waitUntil([&] { return c().panel->optComPort(2)->isEnabled(); }));
    c().panel->connectFirstSelectable();
    EXPECT_TRUE(c().panel->optComPort(2)->isChecked());
    EXPECT_TRUE(waitUntil([&] { return showing("25"); }));
}

TEST_F(BenchTest, RaisingTheSetPointAboveTheTemperatureNeverRaisesTheAlarm)
{
    storeSetPoint("30");
    Board board(link);
    ASSERT_TRUE(board.ok());
    start(comLink);
    c().panel->cmdConnect()->click();
    ASSERT_TRUE(waitUntil([&] { return showing("25"); }));
    bool overLit = false;
    const auto step = [&](QPushButton* button, const QString& shown) {
        button->click();
        return waitUntil([&] {
            overLit = overLit || c().Shape2->isLit() || window->AlarmOn() == 1;
            return c().Mo->Value() == shown && window->RxBuffer().isEmpty();
        });
    };
    ASSERT_TRUE(step(c().Command4, "30"));
    for (const char* shown : { "31", "32", "33", "34", "35" })
        ASSERT_TRUE(step(c().Command3, shown));
    ASSERT_TRUE(step(c().Command8, "25"));
    EXPECT_TRUE(waitUntil([&] {
        overLit = overLit || c().Shape2->isLit() || window->AlarmOn() == 1;
        return window->SetTemp() == "35";
    }));
    EXPECT_FALSE(overLit);
    EXPECT_TRUE(c().Shape1->isLit());
}

// Also the board's "3", an unplug, a reconnect and the line 25X: the half line
// is gone at the loss, so the reading is 25, not 325.
TEST_F(BenchTest, LinkEndSilencesTheAlarmKeepsTheLampsAndDropsTheHalfLine)
{
    storeSetPoint("30");
    load();
    for (const bool unplug : { false, true }) {
        PtyPair pty;
        window->port().devices().setPath(1, QString::fromStdString(pty.slavePath()));
        feed("3"); // stray characters before the connect
        c().panel->cmdConnect()->click();
        EXPECT_TRUE(window->RxBuffer().isEmpty()) << "a connect starts a clean line";
        pty.write("35X\r\n3");
        ASSERT_TRUE(waitUntil([&] { return window->AlarmOn() == 1 && window->RxBuffer() == "3"; }));
        window->Timer1_Timer();
        EXPECT_TRUE(window->alarmSound().sounding());
        if (unplug)
            pty.closeMaster();
        else
            c().panel->cmdDisconnect()->click();
        ASSERT_TRUE(waitUntil([&] { return !window->port().PortOpen(); }));
        EXPECT_EQ(window->AlarmOn(), 0) << "unplug " << unplug;
        EXPECT_FALSE(window->alarmSound().sounding());
        EXPECT_TRUE(window->RxBuffer().isEmpty());
        EXPECT_TRUE(c().Shape2->isLit()) << "lamps keep their last state";
        EXPECT_EQ(c().Mo->Value(), "35");
        window->Timer1_Timer();
        EXPECT_FALSE(window->alarmSound().sounding()) << "the buzzer stays quiet";
    }
    PtyPair returned;
    window->port().devices().setPath(1, QString::fromStdString(returned.slavePath()));
    c().panel->cmdConnect()->click();
    returned.write("25X\r\n");
    ASSERT_TRUE(waitUntil([&] { return c().Mo->Value() != "35" && window->RxBuffer().isEmpty(); }));
    EXPECT_EQ(c().txtBarcode->text(), "25");
    EXPECT_EQ(window->AlarmOn(), 0);
}

} // namespace
