// The serial-port component of each main window: COM1..COM4 at 9600 baud, 8 data
// bits, no parity, 1 stop bit, no handshake, over QSerialPort.
//
// Each received byte is one character of the same code. OnComm is raised once per
// received character, from the event loop, never inside another OnComm (a handler
// that opens a modal box does not see further OnComm until it returns), so
// characters that arrive together wait for later events. Failing members throw
// ComError. A device that vanishes while open (unplugged adapter, far end of a
// pseudo-terminal closed) closes the port and emits deviceLost() once.
#pragma once

#include "comdevices.h"
#include "comerror.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>

class QSerialPort;

class ComPort : public QObject {
    Q_OBJECT
public:
    // comEvReceive: characters were received.
    static constexpr int kEvReceive = 2;

    explicit ComPort(const ComDevices& devices = {}, QObject* parent = nullptr);
    ~ComPort() override;

    // Which device stands for each port number. A change takes effect at the
    // next open.
    const ComDevices& devices() const { return m_devices; }
    ComDevices& devices() { return m_devices; }

    int CommPort() const { return m_commPort; }
    // Throws 8002 for a number outside 1..4. While open, the new number takes
    // effect at the next open.
    void setCommPort(int port);

    bool PortOpen() const;
    // true opens the selected port (throws 68, 70, 8005, 8002 or 8020); false
    // closes it and does nothing when it is already closed.
    void setPortOpen(bool open);

    // 0 means "everything waiting" on each Input read.
    int InputLen() const { return m_inputLen; }
    void setInputLen(int len) { m_inputLen = len; }
    int RThreshold() const { return m_rThreshold; }
    // 0 turns OnComm off; any positive number raises it per received character.
    void setRThreshold(int threshold) { m_rThreshold = threshold; }

    int CommEvent() const { return m_commEvent; }
    // Removes and returns up to InputLen waiting characters ("" when none wait).
    // Throws 8012 when the port is closed.
    QString Input();
    // Queues the characters for sending unchanged (codes above 255 go as '?').
    // Throws 8012 when the port is closed.
    void Output(const QString& text);

    // Characters received and not yet taken by Input.
    int InBufferCount() const { return int(m_rx.size() - m_rxPos); }
    // The device path of the open port, or of the selected one when closed.
    QString currentDevice() const;

signals:
    void OnComm();
    // The open device disappeared; the port is closed now.
    void deviceLost();

protected:
    bool event(QEvent* e) override;

private:
    void serial_ReadyRead();
    void serial_ErrorOccurred(int error);
    void schedule();
    void closePort();
    ComError openError(const QString& path) const;

    ComDevices m_devices;
    std::unique_ptr<QSerialPort> m_serial;
    QString m_openPath;
    int m_commPort = 1;
    int m_inputLen = 0;
    int m_rThreshold = 0;
    int m_commEvent = 0;
    QByteArray m_rx;
    qsizetype m_rxPos = 0;
    qint64 m_unannounced = 0; // characters whose OnComm is still to come
    qint64 m_queued = 0; // delivery events waiting in the event queue
    bool m_inOnComm = false;
};
