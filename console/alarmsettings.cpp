#include "alarmsettings.h"

#include <array>
#include <cmath>

namespace {

constexpr int kResound = 0;
constexpr int kDeadBand = 1;
constexpr int kDelay = 2;
constexpr int kStale = 3;

// A year: longer times are surely a slip of the keyboard.
constexpr double kMaxMs = 365.0 * 24 * 3600 * 1000;

std::optional<decimal::Number> nonNegative(const QString& text)
{
    const std::optional<decimal::Number> n = decimal::parse(text);
    if (!n || n->negative)
        return std::nullopt;
    return n;
}

std::optional<std::int64_t> milliseconds(const QString& text, double msPerUnit)
{
    if (!nonNegative(text))
        return std::nullopt;
    const double ms = std::round(text.trimmed().toDouble() * msPerUnit);
    if (!std::isfinite(ms) || ms > kMaxMs)
        return std::nullopt;
    return std::int64_t(ms);
}

std::int64_t& timingField(AlarmSettings& s, int index)
{
    switch (index) {
    case kResound:
        return s.timing.resoundMs;
    case kDelay:
        return s.timing.delayMs;
    default:
        return s.staleMs;
    }
}

// The duration keys and their milliseconds per unit.
struct Duration {
    int index; // in kAlarmKeys
    double msPerUnit;
};

constexpr std::array kDurations {
    Duration { kResound, 60000.0 },
    Duration { kDelay, 1000.0 },
    Duration { kStale, 1000.0 },
};

} // namespace

const QStringList kAlarmKeys { QStringLiteral("RESOUND"), QStringLiteral("DEADBAND"),
    QStringLiteral("ALARMDELAY"), QStringLiteral("STALE") };

AlarmSettings alarmSettingsFrom(const QStringList& values, QStringList* unreadable)
{
    AlarmSettings s;
    const auto bad = [&](int index) {
        if (unreadable)
            unreadable->append(kAlarmKeys[index] + u'=' + values.value(index));
    };
    for (const Duration& d : kDurations) {
        const QString& text = values.value(d.index);
        if (text.trimmed().isEmpty())
            continue;
        const std::optional<std::int64_t> ms = milliseconds(text, d.msPerUnit);
        if (!ms) {
            bad(d.index);
            continue;
        }
        timingField(s, d.index) = *ms;
        if (d.index == kStale)
            s.staleText = text.trimmed();
    }
    const QString& band = values.value(kDeadBand);
    if (!band.trimmed().isEmpty()) {
        if (const std::optional<decimal::Number> n = nonNegative(band)) {
            s.deadBand = *n;
            s.deadBandText = band.trimmed();
        } else {
            bad(kDeadBand);
        }
    }
    return s;
}
