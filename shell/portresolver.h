// Which device stands for each of COM1..COM4. Pure: the present devices come in
// as a list, so the rules can be checked without any hardware.
//
// Precedence per port: the path given on the command line (--comN), else the
// settings entry (section PORTS, key COMn), else the next device of the
// automatic order: USB adapters (ttyUSB*, ttyACM*) first, ordered by their
// /dev/serial/by-id names so the same adapter keeps its number across reboots,
// then the machine's own UARTs. A device named explicitly for one port is not
// handed out again automatically.
#pragma once

#include "comdevices.h"

#include <QList>
#include <QString>
#include <array>

// One serial device present on the machine.
struct SerialDevice {
    QString path; // the device node, e.g. /dev/ttyUSB0
    QString byIdPath; // its stable /dev/serial/by-id link, "" when none
    QString description; // vendor and product where known, "" otherwise
};

enum class PortSource { None, CommandLine, Settings, Automatic };

// The device that stands for one port number.
struct PortDevice {
    QString path; // what the port opens; "" when nothing stands for the number
    QString description;
    PortSource source = PortSource::None;

    bool operator==(const PortDevice&) const = default;
};

using PortPaths = std::array<QString, kComPortCount>;
using PortDevices = std::array<PortDevice, kComPortCount>;

// True for USB serial adapters: ttyUSB* and ttyACM*.
bool isUsbAdapter(const QString& path);

// The automatic order of `present`: adapters with a by-id name by that name,
// adapters without one by their node, then the other devices by their node
// (ttyS2 before ttyS10).
QList<SerialDevice> automaticOrder(QList<SerialDevice> present);

// The device of each port, by the precedence above. Automatic ports open the
// adapter's by-id link when it has one, so a re-plugged adapter that comes back
// as another ttyUSB node is still the same device. With the `previous` table of
// a running program, a device keeps its automatic number while it stays present.
PortDevices resolvePorts(const PortPaths& commandLine, const PortPaths& settings,
    const QList<SerialDevice>& present, const PortDevices& previous = {});

// The operator's description of a port's device: its path, the adapter's
// description where known, and where the choice came from (Chinese).
QString describePort(int number, const PortDevice& device);
