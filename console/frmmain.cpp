#include "frmmain.h"

#include "comport.h"
#include "connectionpanel.h"
#include "inifile.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
// Twips to pixels at 96 dots per inch.
constexpr int twips(int t) { return t / 15; }
} // namespace

frmMain::frmMain(QWidget* parent)
    : QWidget(parent)
    , m_port(std::make_unique<ComPort>())
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("温度控制台"));
    m_panel = new ConnectionPanel(*m_port, ConnectionPanel::Arrangement::Column, this);
    m_text1 = new QLineEdit(this);
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text1->setAccessibleName(QStringLiteral("连接状态字"));
    m_text1->setFixedSize(twips(225), twips(135) + 8);

    auto* top = new QHBoxLayout;
    top->addWidget(m_panel);
    top->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addStretch();
    layout->addWidget(m_text1);
    resize(twips(9450), twips(9090));

    connect(m_panel, &ConnectionPanel::connected, this, &frmMain::panel_Connected);
}

frmMain::~frmMain() = default;

void frmMain::Form_Load()
{
    m_iniPath = settingsPath();
    m_panel->probe();
}

// After connect the console is in measuring mode.
void frmMain::panel_Connected() { m_text1->setText(QStringLiteral("EXIT")); }

void frmMain::closeEvent(QCloseEvent* event)
{
    m_panel->closeWindowStep();
    event->accept();
}
