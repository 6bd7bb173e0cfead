#pragma once

#include <QDBusConnection>
#include <QObject>

class MprisService;

// The player on the session bus: registers the name and the object with its
// two MPRIS interfaces, and turns the service's change notices into
// PropertiesChanged signals. Unregisters when it goes. When another player
// already owns the name, this one takes the name with ".instance<PID>"
// added, which desktop clients list as the same player.
class MprisBus : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kServiceName = "org.mpris.MediaPlayer2.remoteplayer";
    static constexpr const char* kObjectPath = "/org/mpris/MediaPlayer2";
    static constexpr const char* kPlayerInterface = "org.mpris.MediaPlayer2.Player";

    explicit MprisBus(MprisService& service, QObject* parent = nullptr);
    ~MprisBus() override;

    // Without a usable bus it says once per program run on standard error
    // that media controls are off, and the player goes on without them.
    bool registerOn(QDBusConnection bus);
    // The bus name taken, or "" while not registered.
    QString serviceName() const { return m_serviceName; }

private:
    void sendChanges(const QVariantMap& changed);
    bool takeName(QDBusConnection& bus);

    MprisService& m_service;
    QObject* m_exported = nullptr; // carries the adaptors
    QDBusConnection m_bus { QString() };
    QString m_serviceName;
};
