// The console's only window: the serial panel, the temperature display and
// chart, the set-point buttons, the three lamps, the buzzer and chart timers,
// and the receive handler of the controller link. The alarm and its outlets
// live in AlarmDesk; every event and the console's state go out through
// ConsoleEvents, to which the readings log (and any other outlet) subscribes.
#pragma once

#include "alarmdesk.h"
#include "consoleevents.h"
#include "frmmaincontrols.h"
#include "lineframer.h"
#include "programcontext.h"

#include <QString>
#include <QWidget>

#include <memory>
#include <optional>

class ComPort;
class QTimer;
class LabLink;
class ReadingsLog;
class SetPointStore;
enum class LinkChange;

class frmMain : public QWidget {
    Q_OBJECT
public:
    static inline const QString kStatusLinked = QStringLiteral("连接温度控制器成功！");
    static inline const QString kAlarmTitle = AlarmDesk::kAlarmTitle;
    static constexpr int kQuietCheckMs = 250;

    // The settings file and the port devices come from `context`;
    // `alarmSoundPath` is the buzzer's sound file, by default BUZZ5.wav beside
    // the program or in the installed data folder.
    explicit frmMain(const ProgramContext& context, QWidget* parent = nullptr);
    frmMain(const ProgramContext& context, const QString& alarmSoundPath, QWidget* parent);
    ~frmMain() override;

    // The window's load step: "0" in txtBarcode, the stored set-point, the port
    // probe; then the timers start.
    void Form_Load();
    // Starts the readings log: `commandLinePath` (--log), else the key LOG of
    // section TEMP; no log when neither names a file.
    void openReadingsLog(const QString& commandLinePath);
    // Starts the lab link: `commandLineUrl` (--mqtt), else section MQTT of the
    // settings file; no link when neither is there.
    void openLabLink(const QString& commandLineUrl);
    LabLink* labLink() const { return m_lab.get(); }
    // Stores the set-point the display shows, as "退出设定" does after its "6".
    void storeShownSetPoint();

    // The receive handler, for each chunk read from the port: the link-state
    // signals "O" and "N", the set-point shown, and for a complete line the
    // reading, the lamps, the alarm flag and the stored set-point.
    void receiveChunk(const QString& chunk);

    void Command2_Click(); // "减少": sends "4"
    void Command4_Click(); // "设定温度": sends "3"
    void Command3_Click(); // "增加": sends "5"
    void Command8_Click(); // "退出设定": sends "6", saves the set-point
    void Timer1_Timer(); // buzzer
    void Timer2_Timer(); // chart sampling
    // Looks whether the board has gone quiet while measuring.
    void QuietTimer_Timer();
    // Silences a sounding alarm: the sound stops, the lamp stays lit.
    void acknowledgeAlarm();

    // The state carriers, each read in one place: the link word in Text1
    // ("OK": the board in set-point mode, "EXIT": measuring) and the display's
    // caption in Label1.
    bool boardInSetPointMode() const;
    bool boardMeasuring() const;
    bool showsSetPointMode() const;

    ConsoleEvents& events() { return m_events; }
    const frmMainControls& controls() const { return m_c; }
    ComPort& port() const;
    QTimer* Timer1() const { return m_timer1; }
    QTimer* Timer2() const { return m_timer2; }
    const AlarmPlayer& alarmSound() const { return m_desk->sound(); }
    ReadingsLog* readingsLog() const { return m_log.get(); }
    const QString& IniPath() const { return m_iniPath; }
    const QString& SetTemp() const { return m_desk->settings().setPoint; }
    const QString& RxBuffer() const { return m_framer.pending(); }
    // 0 or 1 once a line was evaluated; nothing before (neither, so silent).
    std::optional<int> AlarmOn() const { return m_desk->alarmOn(); }
    const AlarmState& alarm() const { return m_desk->alarm(); }
    const AlarmSettings& alarmSettings() const { return m_desk->settings(); }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectControls();
    void panel_Connected();
    // Every link change starts a clean line; when the link ends the alarm
    // sound stops and AlarmOn is cleared (lamps and display keep their state).
    void panel_LinkChanged(LinkChange change);
    void completeLine(const QString& line);
    void showLamps(bool alarmed);
    // Sends one command character; with the port closed, tells the operator to
    // connect first and returns false.
    bool sendCommand(QChar command);
    // The state the outlets show, announced when it changed.
    void announceState();
    void record(const QString& event, const QString& setPoint);

    frmMainControls m_c;
    std::unique_ptr<AlarmDesk> m_desk;
    std::unique_ptr<SetPointStore> m_store;
    QTimer* m_timer1 = nullptr;
    QTimer* m_timer2 = nullptr;
    QTimer* m_quietTimer = nullptr;
    QString m_iniPath;
    QString m_rxChunk;
    LineFramer m_framer; // RxBuffer
    ConsoleEvents m_events;
    std::unique_ptr<ReadingsLog> m_log;
    std::unique_ptr<LabLink> m_lab; // goes before the event stream it follows
};
