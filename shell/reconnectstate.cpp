#include "reconnectstate.h"

void ReconnectState::connected(const QString& device)
{
    m_link = Link::Connected;
    m_device = device;
}

void ReconnectState::disconnected()
{
    m_link = Link::Idle;
    m_device.clear();
}

bool ReconnectState::lost()
{
    if (m_link != Link::Connected)
        return false;
    m_link = Link::Waiting;
    return true;
}
