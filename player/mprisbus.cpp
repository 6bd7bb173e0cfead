#include "mprisbus.h"

#include "mpris.h"
#include "mprisadaptors.h"
#include "sayonce.h"

#include <QCoreApplication>
#include <QDBusMessage>

namespace {

void noticeOnce(const QString& why)
{
    static bool told = false;
    if (!std::exchange(told, true))
        say(QStringLiteral("%1: %2，桌面媒体控制已关闭").arg(QCoreApplication::applicationName(), why));
}

} // namespace

MprisBus::MprisBus(MprisService& service, QObject* parent)
    : QObject(parent)
    , m_service(service)
{
    connect(&m_service, &MprisService::propertiesChanged, this, &MprisBus::sendChanges);
}

MprisBus::~MprisBus()
{
    if (m_serviceName.isEmpty())
        return;
    m_bus.unregisterService(m_serviceName);
    m_bus.unregisterObject(QLatin1String(kObjectPath));
}

bool MprisBus::registerOn(QDBusConnection bus)
{
    if (!bus.isConnected()) {
        noticeOnce(QStringLiteral("没有会话总线"));
        return false;
    }
    m_exported = new QObject(this);
    new MprisRootAdaptor(m_service, m_exported);
    auto* playerAdaptor = new MprisPlayerAdaptor(m_service, m_exported);
    connect(&m_service, &MprisService::seeked, playerAdaptor, &MprisPlayerAdaptor::Seeked);
    if (!bus.registerObject(QLatin1String(kObjectPath), m_exported) || !takeName(bus)) {
        bus.unregisterObject(QLatin1String(kObjectPath));
        noticeOnce(QStringLiteral("无法在会话总线上注册"));
        return false;
    }
    m_bus = bus;
    return true;
}

bool MprisBus::takeName(QDBusConnection& bus)
{
    const QString name = QLatin1String(kServiceName);
    const QString instance = name + QStringLiteral(".instance%1").arg(QCoreApplication::applicationPid());
    for (const QString& candidate : { name, instance }) {
        if (bus.registerService(candidate)) {
            m_serviceName = candidate;
            return true;
        }
    }
    return false;
}

void MprisBus::sendChanges(const QVariantMap& changed)
{
    if (m_serviceName.isEmpty())
        return;
    QDBusMessage signal = QDBusMessage::createSignal(QLatin1String(kObjectPath),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"));
    signal << QLatin1String(kPlayerInterface) << changed << QStringList();
    m_bus.send(signal);
}
