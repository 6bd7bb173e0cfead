// Keeps a connection panel's COM1..COM4 in step with the devices while the
// program runs: a device that appears makes its number selectable, one that
// vanishes makes it unselectable, and the device of a link lost while connected
// is reconnected when it returns. The operator's disconnect is never undone.
#pragma once

#include "devicewatch.h"
#include "portresolver.h"
#include "reconnectstate.h"

#include <QObject>

class ConnectionPanel;
enum class LinkChange;
struct ProgramOptions;

class PortFollower : public QObject {
    Q_OBJECT
public:
    // `commandLine` and `settings`: the explicitly named paths (--comN, PORTS),
    // which are watched as paths beside the adapters.
    PortFollower(ConnectionPanel& panel, const PortPaths& commandLine, const PortPaths& settings);

    // Resolves the devices now and starts watching them.
    void start(int intervalMs = DeviceWatch::kIntervalMs);

    // For a window loaded with the devices startingComDevices() gave: follows
    // the devices named by the command line and the settings file at
    // `iniPath`, and with --connect connects the first selectable port once
    // the event loop runs. The follower belongs to the panel.
    static PortFollower* follow(
        ConnectionPanel& panel, const ProgramOptions& options, const QString& iniPath);

    const ReconnectState& state() const { return m_state; }
    DeviceWatch& watch() { return m_watch; }

private:
    void panel_LinkChanged(LinkChange change);
    void watch_DevicesChanged();
    void watch_Looked();

    ConnectionPanel& m_panel;
    PortPaths m_commandLine;
    PortPaths m_settings;
    DeviceWatch m_watch;
    ReconnectState m_state;
};
