#include "linkprotocol.h"

#include "decimaltext.h"
#include "lineframer.h"

QString readingOfLine(const QString& line)
{
    if (line.isEmpty())
        return QStringLiteral("\r\n");
    return line.right(LineFramer::kMaxPending - 2).chopped(1);
}

bool readingAtOrAbove(const QString& reading, const QString& setpoint)
{
    if (setpoint.trimmed().isEmpty())
        return false;
    const std::optional<decimal::Number> r = decimal::parse(reading);
    const std::optional<decimal::Number> s = decimal::parse(setpoint);
    if (r && s)
        return decimal::compare(*r, *s) >= 0;
    return reading.compare(setpoint) >= 0;
}

bool readingBelowClearLevel(const QString& reading, const QString& setpoint, const decimal::Number& deadBand)
{
    const bool zero = deadBand.integer.isEmpty() && deadBand.fraction.isEmpty();
    if (zero || setpoint.trimmed().isEmpty())
        return !readingAtOrAbove(reading, setpoint);
    const std::optional<decimal::Number> r = decimal::parse(reading);
    const std::optional<decimal::Number> s = decimal::parse(setpoint);
    if (!r || !s)
        return !readingAtOrAbove(reading, setpoint);
    return decimal::compare(*r, decimal::add(*s, decimal::negated(deadBand))) < 0;
}

std::optional<std::int32_t> chartSample(const QString& text)
{
    const std::optional<decimal::Number> n = decimal::parse(text, true);
    if (!n)
        return std::nullopt;
    return decimal::roundToInt32(*n);
}
