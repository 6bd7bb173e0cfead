// One notification on the desktop's notification server
// (org.freedesktop.Notifications on the session bus): shown, updated in place
// and closed again. Updates reach the server at most once a second; the newest
// content waits for its turn. Calls never block the window. Without a bus or
// a server the program carries on; that is said once on standard error.
#pragma once

#include "notificationlife.h"

#include <QDBusConnection>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

class DesktopNotification : public QObject {
    Q_OBJECT
public:
    struct Content {
        QString summary;
        QString body;
        bool critical = false; // urgency 2, else normal
        QString defaultLabel; // the default action's label; "" for none
    };

    static constexpr int kMinIntervalMs = 1000;

    explicit DesktopNotification(const QString& appName, QObject* parent = nullptr);
    DesktopNotification(const QString& appName, const QDBusConnection& bus, QObject* parent = nullptr);

    // Shows the notification, replacing this one's earlier content if it is
    // still on the screen.
    void show(const Content& content);
    // Replaces the content while the notification is on the screen; after it
    // was closed (by close() or by the user) nothing happens.
    void update(const Content& content);
    void close();

signals:
    // The user chose the default action.
    void activated();

private:
    Q_SLOT void onActionInvoked(uint id, const QString& key);
    Q_SLOT void onClosed(uint id, uint reason);
    void send();
    void callClose();
    void reportUnavailable(const QString& reason);

    QString m_appName;
    QDBusConnection m_bus;
    Content m_content;
    NotificationLife m_life;
    bool m_pending = false; // content waiting for its turn
    uint m_id = 0;
    QElapsedTimer m_lastSend;
    QTimer m_throttle;
};
