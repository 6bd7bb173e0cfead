#include "serialdevices.h"

#include "inifile.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

namespace {

QString describe(const QSerialPortInfo& info)
{
    QStringList parts;
    for (const QString& part : { info.manufacturer(), info.description(), info.serialNumber() }) {
        if (!part.isEmpty() && !parts.contains(part))
            parts << part;
    }
    return parts.join(u' ');
}

// The nodes the explicit paths lead to, so those devices are not listed twice.
QStringList explicitTargets(const PortPaths& commandLine, const PortPaths& settings)
{
    QStringList targets;
    for (size_t i = 0; i < commandLine.size(); ++i) {
        const QString& path = commandLine[i].isEmpty() ? settings[i] : commandLine[i];
        const QString target = path.isEmpty() ? QString() : QFileInfo(path).canonicalFilePath();
        if (!target.isEmpty())
            targets << target;
    }
    return targets;
}

} // namespace

void attachByIdNames(QList<SerialDevice>& devices, const QString& byIdDir)
{
    const QFileInfoList links
        = QDir(byIdDir).entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    for (SerialDevice& device : devices) {
        const QString node = QFileInfo(device.path).canonicalFilePath();
        for (const QFileInfo& link : links) {
            if (!node.isEmpty() && link.canonicalFilePath() == node) {
                device.byIdPath = link.absoluteFilePath();
                break;
            }
        }
    }
}

QList<SerialDevice> presentSerialDevices(const QString& byIdDir)
{
    QList<SerialDevice> devices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        devices.append({ info.systemLocation(), QString(), describe(info) });
    attachByIdNames(devices, byIdDir);
    return devices;
}

PortPaths settingsPorts(const QString& iniPath)
{
    PortPaths paths;
    for (size_t i = 0; i < paths.size(); ++i)
        paths[i] = GetFromINI(QStringLiteral("PORTS"), QStringLiteral("COM%1").arg(i + 1), iniPath);
    return paths;
}

PortDevices portDevicesFrom(QList<SerialDevice> present, const PortPaths& commandLine,
    const PortPaths& settings, const PortDevices& previous)
{
    const QStringList taken = explicitTargets(commandLine, settings);
    present.removeIf(
        [&](const SerialDevice& d) { return taken.contains(QFileInfo(d.path).canonicalFilePath()); });
    return resolvePorts(commandLine, settings, present, previous);
}

PortDevices currentPortDevices(
    const PortPaths& commandLine, const PortPaths& settings, const PortDevices& previous)
{
    return portDevicesFrom(presentSerialDevices(), commandLine, settings, previous);
}

ComDevices startingComDevices(const PortPaths& commandLine, const QString& iniPath)
{
    const PortDevices ports = currentPortDevices(commandLine, settingsPorts(iniPath));
    ComDevices devices;
    for (int port = 1; port <= kComPortCount; ++port) {
        devices.setPath(port, ports[size_t(port - 1)].path);
        devices.setDescription(port, ports[size_t(port - 1)].description);
    }
    return devices;
}
