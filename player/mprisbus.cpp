#include "mprisbus.h"

#include "mpris.h"
#include "mprisadaptors.h"

#include <QDBusMessage>

#include <cstdio>

namespace {

void noticeOnce(const QString& why)
{
    static bool told = false;
    if (told)
        return;
    told = true;
    std::fprintf(stderr, "remoteplayer: %s，桌面媒体控制已关闭\n", why.toLocal8Bit().constData());
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
    if (!m_registered)
        return;
    m_bus.unregisterService(QLatin1String(kServiceName));
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
    if (!bus.registerObject(QLatin1String(kObjectPath), m_exported)
        || !bus.registerService(QLatin1String(kServiceName))) {
        bus.unregisterObject(QLatin1String(kObjectPath));
        noticeOnce(QStringLiteral("无法在会话总线上注册"));
        return false;
    }
    m_bus = bus;
    m_registered = true;
    return true;
}

void MprisBus::sendChanges(const QVariantMap& changed)
{
    if (!m_registered)
        return;
    QDBusMessage signal = QDBusMessage::createSignal(QLatin1String(kObjectPath),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"));
    signal << QLatin1String(kPlayerInterface) << changed << QStringList();
    m_bus.send(signal);
}
