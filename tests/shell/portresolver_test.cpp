// Which device is COMn: precedence, the automatic order and its descriptions,
// the device table from the devices present, and the reconnect state.
#include "portresolver.h"
#include "reconnectstate.h"
#include "serialdevices.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kById = QStringLiteral("/dev/serial/by-id/");

SerialDevice uart(const QString& name)
{
    return { "/dev/" + name, {}, {} };
}
SerialDevice adapter(const QString& name, const QString& byId, const QString& description = {})
{
    return { "/dev/" + name, byId.isEmpty() ? QString() : kById + byId, description };
}

QStringList paths(const PortDevices& ports)
{
    QStringList out;
    for (const PortDevice& p : ports)
        out << p.path;
    return out;
}

TEST(PortResolver, PrecedenceAndAutomaticOrder)
{
    const QList<SerialDevice> present {
        uart("ttyS10"),
        adapter("ttyACM0", "usb-Arduino_Uno_85736-if00"),
        uart("ttyS2"),
        adapter("ttyUSB1", {}),
        adapter("ttyUSB0", "usb-1a86_USB_Serial-if00-port0", "QinHeng USB Serial"),
    };
    struct Case {
        const char* name;
        PortPaths commandLine;
        PortPaths settings;
        QStringList expected;
    };
    const Case cases[] = {
        { "automatic: by-id names, adapters without one, then UARTs by number", {}, {},
            { kById + "usb-1a86_USB_Serial-if00-port0", kById + "usb-Arduino_Uno_85736-if00", "/dev/ttyUSB1",
                "/dev/ttyS2" } },
        { "command line over settings over automatic", { "", "/tmp/board" }, { "", "/dev/x", "/dev/y" },
            { kById + "usb-1a86_USB_Serial-if00-port0", "/tmp/board", "/dev/y",
                kById + "usb-Arduino_Uno_85736-if00" } },
        { "a device named explicitly is not handed out again", { "/dev/ttyS2" },
            { "", kById + "usb-1a86_USB_Serial-if00-port0" },
            { "/dev/ttyS2", kById + "usb-1a86_USB_Serial-if00-port0", kById + "usb-Arduino_Uno_85736-if00",
                "/dev/ttyUSB1" } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(paths(resolvePorts(c.commandLine, c.settings, present)), c.expected) << c.name;

    // While running, a device keeps its automatic number when one that sorts
    // before it is plugged in, and the newcomer takes a free number.
    const PortDevices running = resolvePorts({}, { "", "", "/dev/x" }, { present[0], present[1] });
    EXPECT_EQ(paths(resolvePorts({}, { "", "", "/dev/x" }, present, running)),
        (QStringList { kById + "usb-Arduino_Uno_85736-if00", "/dev/ttyS10", "/dev/x",
            kById + "usb-1a86_USB_Serial-if00-port0" }));

    const PortDevices ports = resolvePorts({ "", "", "", "/dev/ttyUSB0" }, {}, present);
    EXPECT_EQ(ports[3].source, PortSource::CommandLine);
    EXPECT_EQ(ports[3].description, "QinHeng USB Serial")
        << "an explicit path to an adapter is described too";
    EXPECT_EQ(ports[0].source, PortSource::Automatic);
    EXPECT_EQ(ports[0].path, kById + "usb-Arduino_Uno_85736-if00");
}

TEST(PortResolver, FewerDevicesThanPortsLeaveNumbersEmptyAndDescribed)
{
    const PortDevices ports = resolvePorts({}, { "", "", "/dev/serial/by-id/usb-x" }, { uart("ttyS0") });
    EXPECT_EQ(paths(ports), (QStringList { "/dev/ttyS0", "", "/dev/serial/by-id/usb-x", "" }));
    EXPECT_EQ(ports[1].source, PortSource::None);
    EXPECT_EQ(describePort(2, ports[1]), "无可用设备");
    EXPECT_EQ(describePort(3, ports[2]), "/dev/serial/by-id/usb-x\n来自设置文件 [PORTS] COM3");
    const PortDevice usb { kById + "usb-1a86", "QinHeng USB Serial", PortSource::Automatic };
    EXPECT_EQ(describePort(1, usb), kById + "usb-1a86\nQinHeng USB Serial\n自动检测");
}

// The table a program builds from the devices present, on a device folder of
// the test's own: each node gets the by-id link that leads to it, and a node
// the command line names through a link of its own is not handed out again.
TEST(SerialDevices, DeviceTableFromTheDevicesPresent)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("by-id"));
    QList<SerialDevice> present;
    for (const char* name : { "ttyS0", "ttyUSB0", "ttyUSB1", "ttyUSB2" }) {
        ASSERT_TRUE(QFile(dir.filePath(name)).open(QIODevice::WriteOnly));
        present.append({ dir.filePath(name), {}, {} });
    }
    const QString byId = dir.filePath("by-id/usb-Vendor_Adapter-port0");
    ASSERT_TRUE(QFile::link(dir.filePath("ttyUSB2"), byId));
    const QString board = dir.filePath("board");
    ASSERT_TRUE(QFile::link(dir.filePath("ttyUSB0"), board));

    attachByIdNames(present, dir.filePath("by-id"));
    EXPECT_EQ(present[3].byIdPath, byId);
    EXPECT_TRUE(present[1].byIdPath.isEmpty());
    EXPECT_EQ(paths(portDevicesFrom(present, {}, { "", "", "", board })),
        (QStringList { byId, dir.filePath("ttyUSB1"), dir.filePath("ttyS0"), board }));
}

TEST(ReconnectState, WaitsOnlyForADeviceLostWhileConnected)
{
    ReconnectState s;
    EXPECT_FALSE(s.lost()) << "nothing to lose while idle";
    EXPECT_FALSE(s.shouldReconnect(true));
    s.connected("/tmp/board");
    EXPECT_FALSE(s.shouldReconnect(true)) << "connected: nothing to do";
    EXPECT_TRUE(s.lost());
    EXPECT_FALSE(s.lost()) << "reported once";
    EXPECT_EQ(s.link(), ReconnectState::Link::Waiting);
    EXPECT_FALSE(s.shouldReconnect(false));
    EXPECT_TRUE(s.shouldReconnect(true));
    EXPECT_EQ(s.device(), "/tmp/board");
    s.connected("/tmp/board");
    EXPECT_EQ(s.link(), ReconnectState::Link::Connected);

    s.lost();
    s.disconnected(); // the operator's disconnect ends the wait
    EXPECT_FALSE(s.shouldReconnect(true));
    EXPECT_EQ(s.link(), ReconnectState::Link::Idle);
}

} // namespace
