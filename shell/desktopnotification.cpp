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
    m_shown = true;
    m_content = content;
    m_pending = true;
    if (!m_lastSend.isValid() || m_lastSend.elapsed() >= kMinIntervalMs)
        send();
    else if (!m_throttle.isActive())
        m_throttle.start(int(kMinIntervalMs - m_lastSend.elapsed()));
}

void DesktopNotification::update(const Content& content)
{
    if (m_shown)
        show(content);
}

void DesktopNotification::close()
{
    if (!m_shown)
        return;
    m_shown = false;
    m_pending = false;
    m_throttle.stop();
    // Closed when the server's answer names it, if that is still to come.
    if (m_waitingForId || m_id == 0)
        return;
    m_bus.asyncCall(
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("CloseNotification"))
        << m_id);
    m_id = 0;
}

void DesktopNotification::send()
{
    if (!m_pending || !m_shown)
        return;
    // One call at a time: the next needs this one's id to replace it.
    if (m_waitingForId) {
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
    m_waitingForId = true;
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        m_waitingForId = false;
        const QDBusPendingReply<uint> reply = *w;
        if (reply.isError()) {
            reportUnavailable(reply.error().message());
            return;
        }
        m_id = reply.value();
        if (!m_shown) {
            m_shown = true; // closed while the answer was on its way
            close();
        }
    });
}

void DesktopNotification::onActionInvoked(uint id, const QString& key)
{
    if (m_shown && id == m_id && key == kDefaultAction)
        emit activated();
}

void DesktopNotification::onClosed(uint id, uint)
{
    if (id != m_id || m_id == 0)
        return;
    m_id = 0;
    m_shown = false;
    m_pending = false;
    m_throttle.stop();
}

void DesktopNotification::reportUnavailable(const QString& reason)
{
    sayOnce(QStringLiteral("无法显示桌面通知（%1），报警只在窗口中显示。").arg(reason));
}
