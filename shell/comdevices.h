// Which device stands for each of the ports COM1..COM4, with room for a
// description the operator can read. The program makes one table at start and
// hands it to the window and its serial port.
#pragma once

#include <QString>

#include <array>

// The number of ports, COM1..COM4.
inline constexpr int kComPortCount = 4;

class ComDevices {
public:
    struct Device {
        QString path;
        QString description;
    };

    // /dev/ttyS0../dev/ttyS3, without descriptions.
    ComDevices();

    // The device path of port 1..4; "" for a number outside 1..4.
    QString path(int port) const;
    QString description(int port) const;
    // Numbers outside 1..4 are ignored.
    void setPath(int port, const QString& path);
    void setDescription(int port, const QString& description);

private:
    Device* find(int port);
    const Device* find(int port) const;

    std::array<Device, kComPortCount> m_devices;
};
