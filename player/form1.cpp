#include "form1.h"

#include "browserwatch.h"
#include "comport.h"
#include "comreceiver.h"
#include "connectionpanel.h"
#include "drives.h"
#include "form2.h"
#include "infotext.h"
#include "inifile.h"
#include "lircclient.h"
#include "listboxes.h"
#include "mediaplayer.h"
#include "mpris.h"
#include "mprisbus.h"
#include "namedwidgets.h"
#include "playon.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QWindow>

#include <cstdio>
#include <cstdlib>
#include <exception>

namespace {

// The status once a key arrived from either source.
const QString kKeyReceived = QStringLiteral("连接控制器成功！");

QElapsedTimer steadyStart()
{
    QElapsedTimer timer;
    timer.start();
    return timer;
}

} // namespace

Form1::Form1(const ProgramContext& context, QWidget* parent)
    : QWidget(parent)
    , m_clock([start = steadyStart()] { return start.elapsed(); })
    , m_iniPath(context.settingsPath)
{
    named::window(this, QStringLiteral("Form1"), QStringLiteral("Tuvela---红外遥控音乐播放器"));
    buildLayout(context.devices);
    m_actions = std::make_unique<KeyActions>(KeyActions::Targets { *m_drive1, *m_dir1, *m_file1, *m_wmp1 });
    m_timer1.setInterval(100);
    connect(&m_timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
    connectReceiver(port(), this, [this](const QString& chunk) { receive(chunk); });
    connect(m_drive1, &DriveListBox::Change, this, &Form1::Drive1_Change);
    connect(m_dir1, &DirListBox::Change, this, &Form1::Dir1_Change);
    connect(m_dir1, &DirListBox::Click, this, &Form1::Dir1_Change);
    connect(m_file1, &FileListBox::Click, this, &Form1::File1_Click);
    connect(m_command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(m_command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(m_panel, &ConnectionPanel::exitRequested, this, &Form1::closeAndQuit);
    startServices();
}

Form1::~Form1() = default;

ComPort& Form1::port()
{
    return m_panel->port();
}

// Beyond the designed window: the browser follows mounts and folder content,
// unplayable files say why in the song information, songs play on as the
// loop mode says, and the desktop's media controls reach the player.
void Form1::startServices()
{
    m_watch = std::make_unique<BrowserWatch>(*m_drive1, *m_dir1, *m_file1);
    connect(m_wmp1, &MediaPlayer::unplayable, this,
        [this](const QString& line) { m_label1->setText(m_label1->text() + line); });
    MprisService::Actions actions { [this] { m_actions->SongNext(); }, [this] { m_actions->SongPrevious(); },
        [this] {
            if (isMinimized())
                showNormal();
            raise();
            activateWindow();
        },
        [this] { closeAndQuit(); } };
    m_playOn = std::make_unique<PlayOn>(*m_wmp1, *m_file1, m_iniPath);
    // Both stand in the status line until a change is stored again.
    connect(m_playOn.get(), &PlayOn::notStored, this,
        [this](const QString& why) { m_panel->status().raise(QStringLiteral("store"), why); });
    connect(
        m_playOn.get(), &PlayOn::stored, this, [this] { m_panel->status().clear(QStringLiteral("store")); });
    m_mpris = std::make_unique<MprisService>(*m_wmp1, *m_file1, std::move(actions));
    m_mprisBus = std::make_unique<MprisBus>(*m_mpris);
    m_mprisBus->registerOn(QDBusConnection::sessionBus());
}

void Form1::Form_Load()
{
    for (const KeyFunction& f : kKeyFunctions)
        m_keys.setCode(f.n, GetFromINI(QLatin1String(kKeySection), QLatin1String(f.settingsKey), m_iniPath));
    m_panel->probe();

    const QString current = QDir::currentPath();
    const QStringList drives = BrowsableDrives(MountedFileSystems(), QDir::homePath());
    m_drive1->setDrives(drives, DriveIndexFor(drives, current));
    if (!m_dir1->setPath(current))
        m_dir1->setPath(m_drive1->Drive());
}

void Form1::receive(const QString& chunk)
{
    m_rxChunk = chunk;
    if (const std::optional<QString> line = m_rx.add(m_rxChunk))
        keyText(*line);
}

void Form1::keyText(const QString& line)
{
    takeKey({ line, false });
}

void Form1::keyHeld(const QString& code)
{
    takeKey({ code, true });
}

// An action may run the event loop (a message box), and with two sources a
// key can arrive meanwhile: it waits until the key before it is done, so the
// actions of two keys never run inside each other.
void Form1::takeKey(WaitingKey key)
{
    m_waitingKeys.push_back(std::move(key));
    if (m_takingKeys)
        return;
    m_takingKeys = true;
    while (!m_waitingKeys.empty()) {
        const WaitingKey next = std::move(m_waitingKeys.front());
        m_waitingKeys.pop_front();
        if (next.held)
            repeatLine(next.text, next.text);
        else if (next.text == QLatin1String(kRepeatCode) && m_keys.matches(next.text).empty())
            repeatLine(next.text, std::nullopt);
        else
            keyLine(next.text);
    }
    m_takingKeys = false;
}

void Form1::keyLine(const QString& line)
{
    const qint64 arrived = m_clock();
    m_txtBarcode->setText(line);
    loadedForm2().receive(line);
    const std::vector<int> functions = m_keys.matches(m_txtBarcode->text());
    runFunctions(functions);
    m_repeat.keyLine(line, functions, arrived);
    m_panel->status().show(kKeyReceived);
}

// The setup window never sees a repeat: its rows keep the held key's code.
void Form1::repeatLine(const QString& shown, const std::optional<QString>& ofKey)
{
    const qint64 arrived = m_clock();
    m_txtBarcode->setText(shown);
    runFunctions(m_repeat.repeatLine(arrived, ofKey));
    m_panel->status().show(kKeyReceived);
}

void Form1::runFunctions(const std::vector<int>& functions)
{
    for (int n : functions)
        m_actions->run(n);
}

void Form1::listenToLirc(const QString& socketPath)
{
    const QString path
        = configuredPath(socketPath, QLatin1String(kKeySection), QStringLiteral("LIRC"), m_iniPath);
    if (path.isEmpty())
        return;
    m_lirc = std::make_unique<LircClient>(path);
    connect(m_lirc.get(), &LircClient::pressed, this, &Form1::keyText);
    connect(m_lirc.get(), &LircClient::repeated, this, &Form1::keyHeld);
    // The daemon's absence stands in the status line until it is back.
    connect(m_lirc.get(), &LircClient::status, this, [this](const QString& text) {
        if (!m_lirc->isConnected()) {
            m_panel->status().raise(QStringLiteral("lirc"), text);
            return;
        }
        m_panel->status().clear(QStringLiteral("lirc"));
        m_panel->status().show(text);
    });
    m_lirc->start();
}

// The setup window has one owner, this window's m_form2; it stays on top of
// this window as its transient, without being its child.
Form2& Form1::loadedForm2()
{
    if (!m_form2) {
        m_form2 = loadWindow<Form2>(m_iniPath, nullptr);
        m_form2->setWindowModality(Qt::ApplicationModal);
        m_form2->winId();
        if (windowHandle() && m_form2->windowHandle())
            m_form2->windowHandle()->setTransientParent(windowHandle());
    }
    return *m_form2;
}

void Form1::Drive1_Change()
{
    const QString drive = m_drive1->Drive();
    if (DriveReady(drive) && m_dir1->setPath(drive))
        return;
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("错误提示"), QStringLiteral("请选择有效磁盘！"),
        QMessageBox::Ok, this);
    box.exec();
}

void Form1::Dir1_Change()
{
    m_file1->setPath(m_dir1->Path());
}

// The separator goes in unconditionally: a file in the root shows as
// "//name", which still names the same file.
void Form1::File1_Click()
{
    const QString full = m_file1->Path() + QLatin1Char('/') + m_file1->FileName();
    const QFileInfo info(full);
    const QString size = info.isFile() ? SizeText(info.size()) : QString();
    m_wmp1->setURL(full);
    m_label1->setText(QStringLiteral("当前文件：") + full + QStringLiteral("\n\n文件大小：") + size
        + QStringLiteral("\n\n"));
    m_wmp1->controls.play();
    m_timer1.start();
}

void Form1::Timer1_Timer()
{
    m_text2->setText(m_wmp1->currentMedia.durationString());
    m_text1->setText(m_wmp1->controls.currentPositionString());
}

// The setup window is modal; the receive handler keeps running behind it
// from the dialog's event loop. Closing it in any way unloads it.
void Form1::Command1_Click()
{
    loadedForm2().exec();
    m_form2.reset();
}

// Ends the program at once: neither the port nor the player is closed by
// the program; the end of the process releases them.
void Form1::Command3_Click()
{
    std::fflush(nullptr);
    std::_Exit(EXIT_SUCCESS);
}

void Form1::Form_Unload()
{
    m_wmp1->close();
}

// As the window's close box, then the end of the program.
void Form1::closeAndQuit()
{
    close();
    QCoreApplication::quit();
}

void Form1::closeEvent(QCloseEvent* event)
{
    m_panel->closeWindowStep();
    Form_Unload();
    event->accept();
}
