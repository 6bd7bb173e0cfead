#include "portresolver.h"

#include <QFileInfo>
#include <algorithm>
#include <tuple>

namespace {

struct SourceText {
    PortSource source;
    const char* text; // %1 is the port number
};

constexpr std::array kSourceTexts {
    SourceText { PortSource::None, "无可用设备" },
    SourceText { PortSource::CommandLine, "来自命令行参数 --com%1" },
    SourceText { PortSource::Settings, "来自设置文件 [PORTS] COM%1" },
    SourceText { PortSource::Automatic, "自动检测" },
};

// Names compared with a trailing number as a number: ttyS2 before ttyS10.
bool naturalLess(const QString& a, const QString& b)
{
    const auto split = [](const QString& s) {
        qsizetype digits = s.size();
        while (digits > 0 && s[digits - 1].isDigit())
            --digits;
        const QString number = s.mid(digits);
        return std::make_tuple(s.left(digits), number.size(), number);
    };
    return split(a) < split(b);
}

bool namesDevice(const QString& path, const SerialDevice& device)
{
    return !path.isEmpty() && (path == device.path || path == device.byIdPath);
}

bool namedExplicitly(const SerialDevice& device, const PortPaths& commandLine, const PortPaths& settings)
{
    for (int i = 0; i < kComPortCount; ++i) {
        const QString& chosen
            = commandLine[size_t(i)].isEmpty() ? settings[size_t(i)] : commandLine[size_t(i)];
        if (namesDevice(chosen, device))
            return true;
    }
    return false;
}

PortDevice automaticPort(const SerialDevice& d)
{
    return { d.byIdPath.isEmpty() ? d.path : d.byIdPath, d.description, PortSource::Automatic };
}

// The numbers no explicit path took: a device that had one keeps it while it
// stays present, so a device plugged in later never moves the others; the
// remaining devices fill the free numbers in the automatic order.
void assignAutomatic(PortDevices& ports, QList<SerialDevice> automatic, const PortDevices& previous)
{
    for (size_t i = 0; i < ports.size(); ++i) {
        if (ports[i].source != PortSource::None || previous[i].source != PortSource::Automatic)
            continue;
        for (qsizetype k = 0; k < automatic.size(); ++k) {
            if (automaticPort(automatic[k]).path == previous[i].path) {
                ports[i] = automaticPort(automatic.takeAt(k));
                break;
            }
        }
    }
    qsizetype next = 0;
    for (PortDevice& port : ports) {
        if (port.source == PortSource::None && next < automatic.size())
            port = automaticPort(automatic[next++]);
    }
}

} // namespace

bool isUsbAdapter(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    return name.startsWith(QLatin1String("ttyUSB")) || name.startsWith(QLatin1String("ttyACM"));
}

QList<SerialDevice> automaticOrder(QList<SerialDevice> present)
{
    // Rank: 0 adapter with a by-id name, 1 adapter without, 2 anything else.
    const auto rank
        = [](const SerialDevice& d) { return isUsbAdapter(d.path) ? (d.byIdPath.isEmpty() ? 1 : 0) : 2; };
    std::stable_sort(present.begin(), present.end(), [&](const SerialDevice& a, const SerialDevice& b) {
        if (rank(a) != rank(b))
            return rank(a) < rank(b);
        const QString& keyA = rank(a) == 0 ? a.byIdPath : a.path;
        const QString& keyB = rank(b) == 0 ? b.byIdPath : b.path;
        return naturalLess(keyA, keyB);
    });
    return present;
}

PortDevices resolvePorts(const PortPaths& commandLine, const PortPaths& settings,
    const QList<SerialDevice>& present, const PortDevices& previous)
{
    QList<SerialDevice> automatic;
    for (const SerialDevice& device : automaticOrder(present)) {
        if (!namedExplicitly(device, commandLine, settings))
            automatic.append(device);
    }
    PortDevices ports;
    for (size_t i = 0; i < ports.size(); ++i) {
        if (!commandLine[i].isEmpty())
            ports[i] = { commandLine[i], QString(), PortSource::CommandLine };
        else if (!settings[i].isEmpty())
            ports[i] = { settings[i], QString(), PortSource::Settings };
    }
    assignAutomatic(ports, automatic, previous);
    // An explicit path that names a present adapter still gets its description.
    for (PortDevice& port : ports) {
        for (const SerialDevice& d : present) {
            if (port.description.isEmpty() && namesDevice(port.path, d))
                port.description = d.description;
        }
    }
    return ports;
}

QString describePort(int number, const PortDevice& device)
{
    QStringList lines;
    if (!device.path.isEmpty())
        lines << device.path;
    if (!device.description.isEmpty())
        lines << device.description;
    for (const SourceText& s : kSourceTexts) {
        const QString text = QString::fromUtf8(s.text);
        if (s.source == device.source)
            lines << (text.contains(QLatin1String("%1")) ? text.arg(number) : text);
    }
    return lines.join(u'\n');
}
