// Watches the set of serial devices while a program runs. A udev monitor would
// tell of USB adapters but never of pseudo-terminals or symbolic links, so one
// cheap periodic look serves both: the USB adapter nodes in /dev, the by-id
// links, and each explicitly named path (what it leads to, or that it is gone).
#pragma once

#include "serialdevices.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

class QTimer;

// The fingerprint one look takes; it changes whenever an adapter node or by-id
// link comes or goes, or a watched path appears, vanishes or leads elsewhere.
QByteArray deviceFingerprint(const QStringList& watched, const QString& devDir = QStringLiteral("/dev"),
    const QString& byIdDir = kSerialByIdDir);

class DeviceWatch : public QObject {
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 500;

    explicit DeviceWatch(QObject* parent = nullptr);

    // Paths watched beside the adapters (the --comN and PORTS paths).
    void setWatchedPaths(const QStringList& paths);
    // Starts looking every `intervalMs`; the first look only takes the fingerprint.
    void start(int intervalMs = kIntervalMs);
    // One look now; emits devicesChanged() when the fingerprint moved.
    void look();

signals:
    void devicesChanged();
    // Emitted after every look, changed or not (a lost device is looked for here).
    void looked();

private:
    QTimer* m_timer = nullptr;
    QStringList m_watched;
    QByteArray m_fingerprint;
};
