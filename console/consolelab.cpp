#include "consolelab.h"

#include "comerror.h"
#include "comport.h"
#include "connectionpanel.h"
#include "frmmain.h"
#include "lablink.h"
#include "namedwidgets.h"
#include "sayonce.h"

#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSysInfo>

namespace {

// A settings file holding a password should be the user's alone.
void warnIfPasswordShown(const LabSettings& settings, const QString& iniPath)
{
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::ReadOther;
    if (!settings.password.isEmpty() && (QFileInfo(iniPath).permissions() & others))
        sayOnce(QStringLiteral("%1 含有 MQTT 密码，但其他用户可以读取（chmod 600 %1）").arg(iniPath));
}

QLabel* addLabLabel(frmMain& window)
{
    auto* label = named::label(QStringLiteral("lblLab"), QString(), &window);
    label->setAccessibleDescription(QStringLiteral("实验室链路"));
    if (auto* grid = qobject_cast<QGridLayout*>(window.layout()))
        grid->addWidget(label, 3, 0);
    return label;
}

LabLink::Bench benchOf(frmMain& window)
{
    return {
        [&window] { window.acknowledgeAlarm(); },
        [&window](QChar command) {
            if (!window.port().PortOpen())
                return false;
            try {
                window.port().Output(QString(command));
            } catch (const ComError&) {
                return false;
            }
            return true;
        },
        [&window] { window.storeShownSetPoint(); },
        [&window] { return window.AlarmOn(); },
    };
}

} // namespace

void frmMain::openLabLink(const QString& commandLineUrl)
{
    m_lab = labLinkFor(*this, commandLineUrl);
}

std::unique_ptr<LabLink> labLinkFor(frmMain& window, const QString& commandLineUrl)
{
    const QString iniPath = window.IniPath();
    QFile file(iniPath);
    const QByteArray ini = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const LabConfig config = readLabSettings(
        ini, commandLineUrl, QFileInfo(iniPath).absolutePath(), QSysInfo::machineHostName());
    if (!config.configured)
        return nullptr;
    if (!config.settings) {
        sayOnce(QStringLiteral("实验室链路未启用：%1 无法读取").arg(config.error));
        return nullptr;
    }
    LabSettings settings = *config.settings;
    settings.stale = int(window.alarmSettings().staleMs / 1000);
    warnIfPasswordShown(settings, iniPath);
    auto link = std::make_unique<LabLink>(
        settings, window.events(), benchOf(window), window.controls().panel->status(), addLabLabel(window));
    const frmMainControls& c = window.controls();
    for (QPushButton* button : { c.Command2, c.Command3, c.Command4, c.Command8 })
        QObject::connect(button, &QPushButton::clicked, link.get(), &LabLink::benchPressed);
    return link;
}
