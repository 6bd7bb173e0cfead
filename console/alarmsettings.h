// The alarm's own keys of section TEMP, beside the set-point: resound time,
// dead band, on-delay and the quiet-board time. Every key is optional; a value
// that cannot be read counts as the key's default.
#pragma once

#include "alarmstate.h"
#include "decimaltext.h"

#include <QString>
#include <QStringList>

struct AlarmSettings {
    AlarmTiming timing;
    decimal::Number deadBand; // zero: clear below the set-point
    QString deadBandText; // as stored, "" for none
    std::int64_t staleMs = 10000; // 0: no quiet-board report
    QString staleText = QStringLiteral("10"); // the seconds as the operator wrote them
};

// The key names, in the order alarmSettingsFrom() takes their values.
extern const QStringList kAlarmKeys; // RESOUND, DEADBAND, ALARMDELAY, STALE

// The settings from the stored values (in the order of kAlarmKeys; "" for a
// missing key). Each unreadable value is added to `unreadable` as "KEY=value".
// Durations are non-negative decimal numbers (RESOUND in minutes, ALARMDELAY
// and STALE in seconds, fractions allowed); the dead band a non-negative number.
AlarmSettings alarmSettingsFrom(const QStringList& values, QStringList* unreadable);
