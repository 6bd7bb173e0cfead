#include "portfollower.h"

#include "cmdline.h"
#include "comport.h"
#include "connectionpanel.h"
#include "serialdevices.h"

#include <QFileInfo>
#include <QTimer>

PortFollower::PortFollower(ConnectionPanel& panel, const PortPaths& commandLine, const PortPaths& settings)
    : QObject(&panel)
    , m_panel(panel)
    , m_commandLine(commandLine)
    , m_settings(settings)
{
    QStringList watched;
    for (size_t i = 0; i < commandLine.size(); ++i) {
        const QString& path = commandLine[i].isEmpty() ? settings[i] : commandLine[i];
        if (!path.isEmpty())
            watched << path;
    }
    m_watch.setWatchedPaths(watched);
    connect(&m_panel, &ConnectionPanel::linkChanged, this, &PortFollower::panel_LinkChanged);
    connect(&m_watch, &DeviceWatch::devicesChanged, this, &PortFollower::watch_DevicesChanged);
    connect(&m_watch, &DeviceWatch::looked, this, &PortFollower::watch_Looked);
}

void PortFollower::start(int intervalMs)
{
    m_panel.setPortDevices(currentPortDevices(m_commandLine, m_settings));
    m_watch.start(intervalMs);
}

PortFollower* PortFollower::follow(
    ConnectionPanel& panel, const ProgramOptions& options, const QString& iniPath)
{
    auto* follower = new PortFollower(panel, options.com, settingsPorts(iniPath));
    follower->start();
    if (options.connect)
        QTimer::singleShot(0, &panel, &ConnectionPanel::connectFirstSelectable);
    return follower;
}

void PortFollower::panel_LinkChanged(LinkChange change)
{
    switch (change) {
    case LinkChange::Connected:
    case LinkChange::Reconnected:
        m_state.connected(m_panel.port().currentDevice());
        break;
    case LinkChange::Disconnected:
        m_state.disconnected();
        break;
    case LinkChange::Lost:
        m_state.lost();
        break;
    }
}

void PortFollower::watch_DevicesChanged()
{
    m_panel.setPortDevices(currentPortDevices(m_commandLine, m_settings, m_panel.portDevices()));
    m_panel.recheckPorts();
}

// The same path, or the same by-id name (which automatic ports open), is the
// same device; it is reopened under whichever number now stands for it.
void PortFollower::watch_Looked()
{
    if (!m_state.shouldReconnect(QFileInfo::exists(m_state.device())))
        return;
    for (int port = 1; port <= kComPortCount; ++port) {
        if (m_panel.port().devices().path(port) == m_state.device()) {
            m_panel.reconnect(port);
            return;
        }
    }
}
