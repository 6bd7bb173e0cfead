#include "infotext.h"

namespace {

// size / divisor in hundredths, ties going to the even neighbour. Dividing by
// a power of two is exact, so integer arithmetic gives the same result as
// rounding the exact quotient.
qint64 roundedHundredths(qint64 size, qint64 divisor)
{
    const qint64 scaled = size * 100;
    qint64 q = scaled / divisor;
    const qint64 twiceRest = 2 * (scaled % divisor);
    if (twiceRest > divisor || (twiceRest == divisor && q % 2 != 0))
        ++q;
    return q;
}

// Hundredths as the shortest decimal text: no trailing zeros, no point for a
// whole number.
QString shortestDecimal(qint64 hundredths)
{
    QString text = QString::number(hundredths / 100);
    const qint64 frac = hundredths % 100;
    if (frac == 0)
        return text;
    text += QLatin1Char('.');
    text += QLatin1Char(char('0' + frac / 10));
    if (frac % 10 != 0)
        text += QLatin1Char(char('0' + frac % 10));
    return text;
}

} // namespace

QString SizeText(qint64 size)
{
    constexpr qint64 kKilo = 1024;
    constexpr qint64 kMega = 1048576;
    if (size < kKilo)
        return QString::number(size) + QStringLiteral("字节");
    if (size <= kMega)
        return shortestDecimal(roundedHundredths(size, kKilo)) + QStringLiteral("KB");
    return shortestDecimal(roundedHundredths(size, kMega)) + QStringLiteral("MB");
}

QString TimeText(qint64 milliseconds)
{
    const qint64 seconds = milliseconds > 0 ? milliseconds / 1000 : 0;
    return QStringLiteral("%1:%2")
        .arg(seconds / 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}
