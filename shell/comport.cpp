#include "comport.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QSerialPort>

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QEvent::Type kDeliverEvent = QEvent::Type(QEvent::registerEventType());

struct ErrnoNumber {
    int code;
    int number;
};

// Why a device would not open, from the system's own answer.
constexpr std::array kOpenFailures {
    ErrnoNumber { ENOENT, comerr::kDeviceUnavailable },
    ErrnoNumber { ENXIO, comerr::kDeviceUnavailable },
    ErrnoNumber { ENODEV, comerr::kDeviceUnavailable },
    ErrnoNumber { EIO, comerr::kDeviceUnavailable },
    ErrnoNumber { EACCES, comerr::kPermissionDenied },
    ErrnoNumber { EPERM, comerr::kPermissionDenied },
    ErrnoNumber { EBUSY, comerr::kDeviceBusy },
};

int numberForErrno(int code)
{
    for (const ErrnoNumber& e : kOpenFailures) {
        if (e.code == code)
            return e.number;
    }
    return comerr::kOtherFailure;
}

} // namespace

ComPort::ComPort(const ComDevices& devices, QObject* parent)
    : QObject(parent)
    , m_devices(devices)
    , m_serial(std::make_unique<QSerialPort>())
{
    connect(m_serial.get(), &QSerialPort::readyRead, this, &ComPort::serial_ReadyRead);
    connect(m_serial.get(), &QSerialPort::errorOccurred, this,
        [this](QSerialPort::SerialPortError error) { serial_ErrorOccurred(int(error)); });
}

ComPort::~ComPort() = default;

void ComPort::setCommPort(int port)
{
    if (port < 1 || port > kComPortCount)
        throw comerr::make(comerr::kInvalidPort);
    m_commPort = port;
}

bool ComPort::PortOpen() const
{
    return m_serial->isOpen();
}

void ComPort::setPortOpen(bool open)
{
    if (!open) {
        closePort();
        return;
    }
    if (PortOpen())
        return;
    const QString path = m_devices.path(m_commPort);
    if (path.isEmpty())
        throw comerr::make(comerr::kInvalidPort);
    m_serial->setPortName(path);
    m_serial->setBaudRate(QSerialPort::Baud9600);
    m_serial->setDataBits(QSerialPort::Data8);
    m_serial->setParity(QSerialPort::NoParity);
    m_serial->setStopBits(QSerialPort::OneStop);
    m_serial->setFlowControl(QSerialPort::NoFlowControl);
    if (!m_serial->open(QIODevice::ReadWrite))
        throw openError(path);
    m_openPath = path;
    m_rx.clear();
    m_rxPos = 0;
    m_unannounced = 0;
}

// QSerialPort folds several causes into one code; asking the system again tells
// a missing device, a refused permission and a device in use apart.
ComError ComPort::openError(const QString& path) const
{
    const QByteArray native = QFile::encodeName(path);
    struct stat st { };
    if (::stat(native.constData(), &st) != 0)
        return comerr::make(comerr::kDeviceUnavailable);
    const int fd = ::open(native.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return comerr::make(numberForErrno(errno));
    ::close(fd);
    if (m_serial->error() == QSerialPort::PermissionError)
        return comerr::make(comerr::kDeviceBusy);
    return comerr::make(comerr::kOtherFailure, m_serial->errorString());
}

void ComPort::closePort()
{
    if (m_serial->isOpen())
        m_serial->close();
    m_rx.clear();
    m_rxPos = 0;
    m_unannounced = 0;
}

QString ComPort::Input()
{
    if (!PortOpen())
        throw comerr::make(comerr::kPortNotOpen);
    const qsizetype waiting = m_rx.size() - m_rxPos;
    const qsizetype n = m_inputLen <= 0 ? waiting : qMin<qsizetype>(m_inputLen, waiting);
    const QString text = QString::fromLatin1(m_rx.constData() + m_rxPos, n);
    m_rxPos += n;
    if (m_rxPos == m_rx.size()) {
        m_rx.clear();
        m_rxPos = 0;
    } else if (m_rxPos > 65536) {
        m_rx.remove(0, m_rxPos);
        m_rxPos = 0;
    }
    return text;
}

void ComPort::Output(const QString& text)
{
    if (!PortOpen())
        throw comerr::make(comerr::kPortNotOpen);
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text)
        bytes.append(c.unicode() < 256 ? char(c.unicode()) : '?');
    if (m_serial->write(bytes) != bytes.size())
        throw comerr::make(comerr::kOtherFailure);
}

QString ComPort::currentDevice() const
{
    return PortOpen() ? m_openPath : m_devices.path(m_commPort);
}

void ComPort::serial_ReadyRead()
{
    const QByteArray data = m_serial->readAll();
    m_rx += data;
    if (m_rThreshold > 0)
        m_unannounced += data.size();
    schedule();
}

void ComPort::serial_ErrorOccurred(int error)
{
    const auto code = QSerialPort::SerialPortError(error);
    if (code != QSerialPort::ResourceError && code != QSerialPort::ReadError
        && code != QSerialPort::WriteError)
        return;
    // Closed from the event loop rather than inside QSerialPort's own call.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!m_serial->isOpen())
                return;
            closePort();
            emit deviceLost();
        },
        Qt::QueuedConnection);
}

// One delivery event is queued per announced character, so each OnComm is an
// event of its own, dispatched by the event loop after what was already queued.
void ComPort::schedule()
{
    for (; m_queued < m_unannounced; ++m_queued)
        QCoreApplication::postEvent(this, new QEvent(kDeliverEvent));
}

bool ComPort::event(QEvent* e)
{
    if (e->type() != kDeliverEvent)
        return QObject::event(e);
    --m_queued;
    // A handler that runs a nested event loop (a modal box) must not see another
    // OnComm inside itself: the character stays announced-to-be and its event is
    // queued again when the handler returns.
    if (m_inOnComm || m_unannounced <= 0 || !PortOpen())
        return true;
    --m_unannounced;
    m_commEvent = kEvReceive;
    {
        // Reset even if a handler lets an exception out.
        struct Inside {
            bool& flag;
            explicit Inside(bool& f)
                : flag(f)
            {
                flag = true;
            }
            ~Inside() { flag = false; }
        } inside(m_inOnComm);
        emit OnComm();
    }
    schedule();
    return true;
}
