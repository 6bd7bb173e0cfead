#include "comdevices.h"

ComDevices::ComDevices()
{
    for (int port = 1; port <= kComPortCount; ++port)
        setPath(port, QStringLiteral("/dev/ttyS%1").arg(port - 1));
}

ComDevices::Device* ComDevices::find(int port)
{
    return port >= 1 && port <= kComPortCount ? &m_devices[size_t(port - 1)] : nullptr;
}

const ComDevices::Device* ComDevices::find(int port) const
{
    return const_cast<ComDevices*>(this)->find(port);
}

QString ComDevices::path(int port) const
{
    const Device* d = find(port);
    return d ? d->path : QString();
}

QString ComDevices::description(int port) const
{
    const Device* d = find(port);
    return d ? d->description : QString();
}

void ComDevices::setPath(int port, const QString& path)
{
    if (Device* d = find(port))
        d->path = path;
}

void ComDevices::setDescription(int port, const QString& description)
{
    if (Device* d = find(port))
        d->description = description;
}
