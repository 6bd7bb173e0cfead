#include "desktopnotification.h"

#include "sayonce.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
const QString kDefaultAction = QStringLiteral("default");

constexpr uchar kUrgencyNormal = 1;
constexpr uchar kUrgencyCritical = 2;

} // namespace

DesktopNotification::DesktopNotification(const QString& appName, QObject* parent)
    : DesktopNotification(appName, QDBusConnection::sessionBus(), parent)
{
}

DesktopNotification::DesktopNotification(const QString& appName, const QDBusConnection& bus, QObject* parent)
    : QObject(parent)
    , m_appName(appName)
    , m_bus(bus)
{
    m_throttle.setSingleShot(true);
    connect(&m_throttle, &QTimer::timeout, this, &DesktopNotification::send);
    if (!m_bus.isConnected())
        return;
    m_bus.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
        SLOT(onActionInvoked(uint, QString)));
    m_bus.connect(
        kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this, SLOT(onClosed(uint, uint)));
}

void DesktopNotification::show(const Content& content)
{
    m_life.on(NotificationLife::Input::Show);
    m_content = content;
    m_pending = true;
    if (!m_lastSend.isValid() || m_lastSend.elapsed() >= kMinIntervalMs)
        send();
    else if (!m_throttle.isActive())
        m_throttle.start(int(kMinIntervalMs - m_lastSend.elapsed()));
}

void DesktopNotification::update(const Content& content)
{
    if (m_life.onScreen())
        show(content);
}

// While a call is on its way, it is closed when the server's answer names it.
void DesktopNotification::close()
{
    m_pending = false;
    m_throttle.stop();
    if (m_life.on(NotificationLife::Input::Close) == NotificationLife::Call::Close)
        callClose();
}

void DesktopNotification::callClose()
{
    if (m_id == 0)
        return;
    m_bus.asyncCall(
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("CloseNotification"))
        << m_id);
    m_id = 0;
}

void DesktopNotification::send()
{
    if (!m_pending || !m_life.onScreen())
        return;
    // One call at a time: the next needs this one's id to replace it.
    if (!m_life.maySend()) {
        m_throttle.start(kMinIntervalMs);
        return;
    }
    m_pending = false;
    if (!m_bus.isConnected()) {
        reportUnavailable(QStringLiteral("没有桌面会话总线"));
        return;
    }
    QStringList actions;
    if (!m_content.defaultLabel.isEmpty())
        actions << kDefaultAction << m_content.defaultLabel;
    const QVariantMap hints { { QStringLiteral("urgency"),
        QVariant::fromValue(m_content.critical ? kUrgencyCritical : kUrgencyNormal) } };
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    call << m_appName << m_id << QString() << m_content.summary << m_content.body << actions << hints
         << (m_content.critical ? 0 : -1);
    m_lastSend.start();
    m_life.on(NotificationLife::Input::Sent);
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        const QDBusPendingReply<uint> reply = *w;
        if (reply.isError()) {
            m_life.on(NotificationLife::Input::Failed);
            reportUnavailable(reply.error().message());
            return;
        }
        m_id = reply.value();
        if (m_life.on(NotificationLife::Input::Answered) == NotificationLife::Call::Close)
            callClose(); // closed while the answer was on its way
    });
}

void DesktopNotification::onActionInvoked(uint id, const QString& key)
{
    if (m_life.onScreen() && id == m_id && key == kDefaultAction)
        emit activated();
}

void DesktopNotification::onClosed(uint id, uint)
{
    if (id != m_id || m_id == 0)
        return;
    m_id = 0;
    m_pending = false;
    m_throttle.stop();
    m_life.on(NotificationLife::Input::ClosedByServer);
}

void DesktopNotification::reportUnavailable(const QString& reason)
{
    sayOnce(QStringLiteral("无法显示桌面通知（%1），报警只在窗口中显示。").arg(reason));
}
