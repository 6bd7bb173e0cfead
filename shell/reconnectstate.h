// The link's state as the automatic reconnect sees it. Pure: the owner reports
// what happened and asks what to do at each look at the devices.
//
//   Idle ──connected──> Connected ──lost──> Waiting ──device back──> (reconnect)
//    ^                      │                  │
//    └──── disconnected ────┴──────────────────┘
//
// Only a device lost while connected is waited for; the operator's disconnect
// ends the wait and is never undone.
#pragma once

#include <QString>

class ReconnectState {
public:
    enum class Link { Idle, Connected, Waiting };

    // Connected to `device` (by the operator, or by a reconnect).
    void connected(const QString& device);
    // The operator disconnected: nothing is reconnected any more.
    void disconnected();
    // The open device vanished. True the first time only, so it is reported once.
    bool lost();
    // At a look at the devices: true when `device()` should be reopened now.
    bool shouldReconnect(bool devicePresent) const { return m_link == Link::Waiting && devicePresent; }

    Link link() const { return m_link; }
    // The device of the link, kept while waiting for its return.
    const QString& device() const { return m_device; }

private:
    Link m_link = Link::Idle;
    QString m_device;
};
