// The console's only window: the serial panel, the temperature display and
// chart, the set-point buttons, the three lamps, the buzzer and chart timers,
// and the receive handler of the controller link.
#pragma once

#include "alarmsettings.h"
#include "alarmstate.h"
#include "frmmaincontrols.h"
#include "lineframer.h"
#include "programcontext.h"

#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>
#include <optional>

class AlarmPlayer;
class ComPort;
class DesktopNotification;
class QTimer;
class ReadingsLog;
enum class LinkChange;

class frmMain : public QWidget {
    Q_OBJECT
public:
    static inline const QString kStatusLinked = QStringLiteral("连接温度控制器成功！");
    static inline const QString kAlarmTitle = QStringLiteral("超温报警");
    static constexpr int kQuietCheckMs = 250;

    // The settings file and the port devices come from `context`;
    // `alarmSoundPath` is the buzzer's sound file, by default BUZZ5.wav beside
    // the program or in the installed data folder.
    explicit frmMain(const ProgramContext& context, QWidget* parent = nullptr);
    frmMain(const ProgramContext& context, const QString& alarmSoundPath, QWidget* parent);
    ~frmMain() override;

    // The window's load step: "0" in txtBarcode, the stored set-point, the port
    // probe; then both timers start.
    void Form_Load();
    // Starts the readings log: `commandLinePath` (--log), else the key LOG of
    // section TEMP; no log when neither names a file.
    void openReadingsLog(const QString& commandLinePath);

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

    const frmMainControls& controls() const { return m_c; }
    ComPort& port() const { return *m_port; }
    QTimer* Timer1() const { return m_timer1; }
    QTimer* Timer2() const { return m_timer2; }
    AlarmPlayer& alarmSound() const { return *m_sound; }
    ReadingsLog* readingsLog() const { return m_log.get(); }
    const QString& IniPath() const { return m_iniPath; }
    const QString& SetTemp() const { return m_setTemp; }
    const QString& RxBuffer() const { return m_framer.pending(); }
    // 0 or 1 once a line was evaluated; nothing before (neither, so silent).
    std::optional<int> AlarmOn() const { return m_alarmOn; }
    const AlarmState& alarm() const { return m_alarm; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void panel_Connected();
    // Every link change starts a clean line; when the link ends the alarm
    // sound stops and AlarmOn is cleared (lamps and display keep their state).
    void panel_LinkChanged(LinkChange change);
    void logRow(const QString& event, const QString& setPoint);
    // Sends one command character; with the port closed, tells the operator to
    // connect first and returns false.
    bool sendCommand(QChar command);
    // Writes Mo's Tag as the stored set-point, when Tag holds text.
    void saveSetPoint();
    void reportSaveFailure(const QString& reason);
    void showQueuedMessage();
    void evaluateLine();
    // SETTEMP and the alarm's keys, from one read of the settings file.
    void readSettings();
    // What the window, the log and the desktop show of an alarm event.
    void alarmChanged(AlarmState::Event event);
    void endAlarmAndQuiet();
    void showAlarmHint();
    void showSoundFault(const QString& fault);
    DesktopNotification& notification(std::unique_ptr<DesktopNotification>& slot);
    std::int64_t now() const { return m_clock.elapsed(); }

    ComPort* m_port; // the window's last child (see the constructor)
    std::unique_ptr<AlarmPlayer> m_sound;
    frmMainControls m_c;
    QTimer* m_timer1 = nullptr;
    QTimer* m_timer2 = nullptr;
    QString m_iniPath;
    QString m_setTemp;
    QString m_rxChunk;
    LineFramer m_framer; // RxBuffer
    std::optional<int> m_alarmOn;
    QString m_lastSaveFailure; // shown once until a save works again
    QString m_queuedMessage;
    std::unique_ptr<ReadingsLog> m_log;
    QTimer* m_quietTimer = nullptr;
    QElapsedTimer m_clock;
    AlarmState m_alarm;
    AlarmSettings m_alarmSettings;
    std::optional<QStringList> m_alarmValues; // as stored, when last parsed
    QStringList m_reportedSettings; // unreadable values already named
    QuietWatch m_quiet;
    std::unique_ptr<DesktopNotification> m_alarmNote; // created when first needed
    std::unique_ptr<DesktopNotification> m_quietNote;
};
