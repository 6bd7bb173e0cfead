// The serial devices present on this machine, and the device table built from
// them: Qt Serial Port's enumeration, joined with the stable names under
// /dev/serial/by-id.
#pragma once

#include "comdevices.h"
#include "portresolver.h"

#include <QList>
#include <QString>

inline const QString kSerialByIdDir = QStringLiteral("/dev/serial/by-id");

// The devices Qt Serial Port finds (USB adapters and the UARTs that really
// exist; never pseudo-terminals), each with its by-id link from `byIdDir` when
// one leads to it.
QList<SerialDevice> presentSerialDevices(const QString& byIdDir = kSerialByIdDir);

// Fills in `byIdPath` of each device from the links in `byIdDir` (a link
// whose target resolves to the device's node).
void attachByIdNames(QList<SerialDevice>& devices, const QString& byIdDir);

// The COMn entries of section PORTS in the settings file at `iniPath`.
PortPaths settingsPorts(const QString& iniPath);

// The device table for the `present` devices: resolvePorts(), where an
// explicit path that leads to a present device (a link to it) keeps that
// device out of the automatic order. `previous`: see resolvePorts().
PortDevices portDevicesFrom(QList<SerialDevice> present, const PortPaths& commandLine,
    const PortPaths& settings, const PortDevices& previous = {});

// The same for the devices this machine has now.
PortDevices currentPortDevices(
    const PortPaths& commandLine, const PortPaths& settings, const PortDevices& previous = {});

// The device table a program starts with: currentPortDevices() for the
// command line's paths and the PORTS entries of the settings file at `iniPath`.
ComDevices startingComDevices(const PortPaths& commandLine, const QString& iniPath);
