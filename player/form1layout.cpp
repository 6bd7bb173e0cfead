// The player window's designed controls and their arrangement: the serial
// panel with the setup button, the key shown, the browser, the song
// information and the media player.
#include "form1.h"

#include "connectionpanel.h"
#include "listboxes.h"
#include "mediaplayer.h"
#include "namedwidgets.h"
#include "units.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// A read-only field read out by the caption of the label beside it.
QLineEdit* displayField(QWidget* parent, const char* name, QLabel* label, const QString& text)
{
    auto* field = named::textBox(QLatin1String(name), label, parent);
    field->setText(text);
    field->setReadOnly(true);
    return field;
}

} // namespace

void Form1::buildLayout(const ComDevices& devices)
{
    resize(units::pixelsFromTwips(11415), units::pixelsFromTwips(9195));
    m_panel = new ConnectionPanel(devices, ConnectionPanel::Arrangement::Grid, this);
    m_command1 = named::button(QStringLiteral("Command1"), QStringLiteral("设置遥控键值"), m_panel);
    m_panel->addExtra(m_command1);

    QWidget* filesFrame = nullptr;
    QWidget* browser = buildBrowserFrames(filesFrame);
    auto* player = named::control(new QGroupBox(this), QStringLiteral("Frame5"), QStringLiteral("播放器"));
    m_wmp1 = named::control(new MediaPlayer(player), QStringLiteral("wmp1"), QStringLiteral("媒体播放器"));
    auto* playerLayout = new QVBoxLayout(player);
    playerLayout->addWidget(m_wmp1);

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_panel, 0, 0, 1, 2);
    grid->addWidget(buildRemoteFrame(), 0, 2);
    grid->addWidget(browser, 1, 0);
    grid->addWidget(filesFrame, 1, 1);
    grid->addWidget(buildSongFrame(), 1, 2);
    grid->addWidget(player, 2, 0, 1, 3);
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
}

QWidget* Form1::buildRemoteFrame()
{
    auto* box = named::frame(QStringLiteral("fraFrames(1)"), QStringLiteral("遥控显示窗口"), this);
    auto* label3 = named::label(QStringLiteral("Label3"), QStringLiteral("当前键值："), box);
    m_txtBarcode = displayField(box, "txtBarcode", label3, QString());
    auto* row = new QHBoxLayout(box);
    row->addWidget(label3);
    row->addWidget(m_txtBarcode, 1);
    return box;
}

QWidget* Form1::buildBrowserFrames(QWidget*& filesFrame)
{
    auto* folders = named::frame(QStringLiteral("Frame1"), QStringLiteral("Frame1"), this);
    m_drive1 = named::control(new DriveListBox(folders), QStringLiteral("Drive1"), QStringLiteral("磁盘"));
    m_dir1 = named::control(new DirListBox(folders), QStringLiteral("Dir1"), QStringLiteral("文件夹"));
    auto* column = new QVBoxLayout(folders);
    column->addWidget(m_drive1);
    column->addWidget(m_dir1, 1);

    auto* files = named::frame(QStringLiteral("Frame2"), QStringLiteral("Frame2"), this);
    m_file1 = named::control(new FileListBox(files), QStringLiteral("File1"), QStringLiteral("文件"));
    auto* fileColumn = new QVBoxLayout(files);
    fileColumn->addWidget(m_file1);
    filesFrame = files;
    return folders;
}

QWidget* Form1::buildSongFrame()
{
    auto* box = named::frame(QStringLiteral("Frame4"), QStringLiteral("歌曲信息"), this);
    // No fixed accessible name: a screen reader then reads the text itself,
    // and hears it change.
    m_label1 = new QLabel(box);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setAccessibleDescription(QStringLiteral("歌曲信息"));
    m_label1->setWordWrap(true);
    m_label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* label2 = named::label(QStringLiteral("Label2"), QStringLiteral("当前播放时间："), box);
    m_text1 = displayField(box, "Text1", label2, QStringLiteral("00:00"));
    auto* label4 = named::label(QStringLiteral("Label4"), QStringLiteral("歌曲总时间："), box);
    m_text2 = displayField(box, "Text2", label4, QStringLiteral("00:00"));
    m_command3 = named::button(QStringLiteral("Command3"), QStringLiteral("退出程序"), box);
    auto* grid = new QGridLayout(box);
    grid->addWidget(m_label1, 0, 0, 1, 2);
    grid->addWidget(label2, 1, 0);
    grid->addWidget(m_text1, 1, 1);
    grid->addWidget(label4, 2, 0);
    grid->addWidget(m_text2, 2, 1);
    grid->addWidget(m_command3, 3, 0, 1, 2);
    grid->setRowStretch(0, 1);
    return box;
}
