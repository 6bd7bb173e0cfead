#pragma once

#include "keyactions.h"
#include "keyrepeat.h"
#include "keytable.h"
#include "lineframer.h"
#include "programcontext.h"

#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

class BrowserWatch;
class ComPort;
class ConnectionPanel;
class DirListBox;
class DriveListBox;
class FileListBox;
class Form2;
class LircClient;
class MediaPlayer;
class MprisBus;
class MprisService;
class PlayOn;
class QLabel;
class QLineEdit;
class QPushButton;

// The player's main window: the connection panel, the remote's key display,
// the drive / folder / file browser, the song information and the embedded
// player. Key lines from the receiver run the actions of the key table.
class Form1 : public QWidget {
    Q_OBJECT
public:
    // The settings file and the port devices come from `context`.
    explicit Form1(const ProgramContext& context, QWidget* parent = nullptr);
    ~Form1() override;

    ComPort& port();
    ConnectionPanel* panel() const { return m_panel; }
    DriveListBox* Drive1() const { return m_drive1; }
    DirListBox* Dir1() const { return m_dir1; }
    FileListBox* File1() const { return m_file1; }
    MediaPlayer* wmp1() const { return m_wmp1; }
    QLineEdit* txtBarcode() const { return m_txtBarcode; }
    QLabel* Label1() const { return m_label1; }
    QLineEdit* Text1() const { return m_text1; }
    QLineEdit* Text2() const { return m_text2; }
    QTimer& Timer1() { return m_timer1; }
    const KeyTable& keyTable() const { return m_keys; }
    // The setup window while it is loaded, or null.
    Form2* form2() const { return m_form2.get(); }
    BrowserWatch& watch() { return *m_watch; }
    MprisService& mpris() { return *m_mpris; }
    const QString& IniPath() const { return m_iniPath; }

    // The load step: the key codes, the port probe, then the lists on the
    // current folder's drive.
    void Form_Load();
    // The receive handler, for each chunk read from the port: a complete line
    // is a key line or a repeat line.
    void receive(const QString& chunk);
    // A line from either key source. A key line shows in txtBarcode, reaches
    // the setup window and runs the actions of every function taught that
    // code; the repeat line (unless it is taught as a code itself) shows too
    // and runs the held key's repeating functions again.
    void keyText(const QString& line);
    // A source that names the held key reports it still down.
    void keyHeld(const QString& code);
    // Also takes keys from the infrared daemon's socket: `socketPath`, else
    // the key LIRC of section IRCODE (relative to the settings file's
    // folder); neither given, there is no second source.
    void listenToLirc(const QString& socketPath);
    LircClient* lirc() const { return m_lirc.get(); }
    // Milliseconds of a steady clock: when each key line arrived.
    void setClock(std::function<qint64()> clock) { m_clock = std::move(clock); }
    void Drive1_Change();
    void Dir1_Change();
    void File1_Click();
    void Timer1_Timer();
    void Command1_Click();
    void Command3_Click();
    void Form_Unload();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildLayout(const ComDevices& devices);
    QWidget* buildRemoteFrame();
    QWidget* buildBrowserFrames(QWidget*& filesFrame);
    QWidget* buildSongFrame();
    Form2& loadedForm2();
    void startServices();
    struct WaitingKey {
        QString text;
        bool held; // a repeat naming its key
    };
    void takeKey(WaitingKey key);
    void keyLine(const QString& line);
    void repeatLine(const QString& shown, const std::optional<QString>& ofKey);
    void runFunctions(const std::vector<int>& functions);
    void closeAndQuit();

    ConnectionPanel* m_panel = nullptr;
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command3 = nullptr;
    QLineEdit* m_txtBarcode = nullptr;
    DriveListBox* m_drive1 = nullptr;
    DirListBox* m_dir1 = nullptr;
    FileListBox* m_file1 = nullptr;
    QLabel* m_label1 = nullptr;
    QLineEdit* m_text1 = nullptr;
    QLineEdit* m_text2 = nullptr;
    MediaPlayer* m_wmp1 = nullptr;
    QTimer m_timer1;
    std::unique_ptr<KeyActions> m_actions;
    std::unique_ptr<Form2> m_form2;
    std::unique_ptr<BrowserWatch> m_watch;
    std::unique_ptr<MprisService> m_mpris;
    std::unique_ptr<MprisBus> m_mprisBus;
    std::unique_ptr<PlayOn> m_playOn;
    std::unique_ptr<LircClient> m_lirc;
    KeyTable m_keys;
    KeyRepeat m_repeat;
    std::deque<WaitingKey> m_waitingKeys;
    bool m_takingKeys = false;
    std::function<qint64()> m_clock;
    LineFramer m_rx;
    QString m_rxChunk;
    QString m_iniPath;
};
