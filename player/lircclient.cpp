#include "lircclient.h"

LircClient::LircClient(const QString& socketPath, QObject* parent)
    : QObject(parent)
    , m_path(socketPath)
{
    m_retry.setSingleShot(true);
    m_retry.setInterval(kRetryMs);
    connect(&m_retry, &QTimer::timeout, this, &LircClient::connectNow);
    connect(&m_socket, &QLocalSocket::connected, this, &LircClient::onConnected);
    // Both a failed attempt and a lost connection end in the unconnected
    // state; the error comes before it.
    connect(&m_socket, &QLocalSocket::stateChanged, this, [this](QLocalSocket::LocalSocketState state) {
        if (state == QLocalSocket::UnconnectedState)
            onGone();
    });
    connect(&m_socket, &QLocalSocket::readyRead, this, &LircClient::onReadyRead);
}

// The socket closes as it goes and would report that to a client half gone.
LircClient::~LircClient()
{
    m_socket.disconnect(this);
}

void LircClient::start()
{
    connectNow();
}

void LircClient::connectNow()
{
    m_socket.abort();
    m_reader.clear();
    m_socket.connectToServer(m_path, QIODevice::ReadOnly);
}

void LircClient::onConnected()
{
    m_link = Link::Connected;
    emit status(QStringLiteral("已连接红外接收服务（LIRC）：%1").arg(m_path));
}

// The daemon's absence is told once, however many attempts fail after it.
void LircClient::onGone()
{
    if (m_link != Link::Away) {
        m_link = Link::Away;
        emit status(QStringLiteral("红外接收服务（LIRC）不可用：%1，恢复后自动重新连接").arg(m_path));
    }
    m_retry.start();
}

void LircClient::onReadyRead()
{
    for (const LircEvent& event : m_reader.add(m_socket.readAll())) {
        if (event.repeat == 0)
            emit pressed(event.button);
        else
            emit repeated(event.button);
    }
}
