// The alarm's settings in section TEMP: the set-point and the alarm's own keys
// (resound time, dead band, on-delay, quiet-board time), read together in one
// read of the settings file, as one table of keys. Every key is optional; a
// value that cannot be read counts as the key's default and is named once on
// standard error.
#pragma once

#include "alarmstate.h"
#include "decimaltext.h"

#include <QString>
#include <QStringList>

struct AlarmSettings {
    QString setPoint; // SETTEMP as stored; "" for none (no alarm)
    AlarmTiming timing;
    decimal::Number deadBand; // zero: clear below the set-point
    QString deadBandText; // as stored, "" for none
    std::int64_t staleMs = 10000; // 0: no quiet-board report
    QString staleText = QStringLiteral("10"); // the seconds as the operator wrote them
};

// The keys, in the order alarmSettingsFrom() takes their values:
// SETTEMP, RESOUND, DEADBAND, ALARMDELAY, STALE.
extern const QStringList kAlarmKeys;

// The settings from the stored values ("" for a missing key). Each unreadable
// value is added to `unreadable` as "KEY=value". Durations are non-negative
// decimal numbers (RESOUND in minutes, ALARMDELAY and STALE in seconds,
// fractions allowed); the dead band a non-negative number.
AlarmSettings alarmSettingsFrom(const QStringList& values, QStringList* unreadable);

// The settings as the file holds them now: read again at every call to read(),
// parsed again only when the stored texts changed.
class AlarmSettingsSource {
public:
    explicit AlarmSettingsSource(const QString& iniPath);

    const AlarmSettings& read();
    const AlarmSettings& current() const { return m_settings; }

private:
    QString m_iniPath;
    std::optional<QStringList> m_values; // as stored, when last parsed
    AlarmSettings m_settings;
};
