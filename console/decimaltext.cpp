#include "decimaltext.h"

#include <algorithm>
#include <limits>

namespace decimal {
namespace {

    bool isBlank(QChar c)
    {
        return c == u' ' || c == u'\t';
    }
    bool isDigit(QChar c)
    {
        return c >= u'0' && c <= u'9';
    }

    // Reads digits starting at `i`; returns them and moves `i` past them.
    QString digits(const QString& s, qsizetype& i)
    {
        const qsizetype start = i;
        while (i < s.size() && isDigit(s[i]))
            ++i;
        return s.mid(start, i - start);
    }

    // Exponents beyond this only shift zeros around; a bound keeps memory small.
    constexpr int kMaxExponent = 400;

    std::optional<int> readExponent(const QString& s, qsizetype& i)
    {
        if (i >= s.size() || (s[i] != u'e' && s[i] != u'E'))
            return 0;
        ++i;
        bool negative = false;
        if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
            negative = s[i++] == u'-';
        const QString e = digits(s, i);
        if (e.isEmpty())
            return std::nullopt;
        bool ok = false;
        const int value = e.size() > 6 ? kMaxExponent + 1 : e.toInt(&ok);
        if (value > kMaxExponent)
            return std::nullopt;
        return negative ? -value : value;
    }

    Number normalised(bool negative, QString all, qsizetype pointAt)
    {
        Number n;
        n.integer = all.left(pointAt);
        n.fraction = all.mid(pointAt);
        while (!n.integer.isEmpty() && n.integer.front() == u'0')
            n.integer.remove(0, 1);
        while (!n.fraction.isEmpty() && n.fraction.back() == u'0')
            n.fraction.chop(1);
        n.negative = negative && !(n.integer.isEmpty() && n.fraction.isEmpty());
        return n;
    }

    int compareMagnitude(const Number& a, const Number& b)
    {
        if (a.integer.size() != b.integer.size())
            return a.integer.size() < b.integer.size() ? -1 : 1;
        if (const int c = a.integer.compare(b.integer))
            return c < 0 ? -1 : 1;
        const int c = a.fraction.compare(b.fraction);
        return c < 0 ? -1 : c > 0 ? 1 : 0;
    }

    // The magnitude as digits with the point after `integerDigits` of them,
    // padded with zeros to that many integer and `fractionDigits` fraction digits.
    QString aligned(const Number& n, qsizetype integerDigits, qsizetype fractionDigits)
    {
        return QString(integerDigits - n.integer.size(), u'0') + n.integer + n.fraction
            + QString(fractionDigits - n.fraction.size(), u'0');
    }

    // Digit-wise sum (sign 1) or difference (sign -1, a at least b) of two
    // digit strings of the same length; one more leading digit for a carry.
    QString combine(const QString& a, const QString& b, int sign)
    {
        QString out(a.size() + 1, u'0');
        int carry = 0;
        for (qsizetype i = a.size() - 1; i >= 0; --i) {
            int d = (a[i].unicode() - u'0') + sign * (b[i].unicode() - u'0') + carry;
            carry = 0;
            if (d >= 10) {
                d -= 10;
                carry = 1;
            } else if (d < 0) {
                d += 10;
                carry = -1;
            }
            out[i + 1] = QChar(u'0' + d);
        }
        out[0] = QChar(u'0' + carry);
        return out;
    }

} // namespace

std::optional<Number> parse(const QString& text, bool exponent)
{
    qsizetype i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    const QString whole = digits(text, i);
    QString fraction;
    if (i < text.size() && text[i] == u'.')
        fraction = digits(text, ++i);
    if (whole.isEmpty() && fraction.isEmpty())
        return std::nullopt;
    const std::optional<int> shift = exponent ? readExponent(text, i) : std::optional<int>(0);
    while (i < text.size() && isBlank(text[i]))
        ++i;
    if (!shift || i != text.size())
        return std::nullopt;
    // Move the point by the exponent, padding with zeros where needed.
    QString all = whole + fraction;
    qsizetype pointAt = whole.size() + *shift;
    if (pointAt < 0) {
        all.prepend(QString(-pointAt, u'0'));
        pointAt = 0;
    } else if (pointAt > all.size()) {
        all.append(QString(pointAt - all.size(), u'0'));
    }
    return normalised(negative, all, pointAt);
}

int compare(const Number& a, const Number& b)
{
    if (a.negative != b.negative)
        return a.negative ? -1 : 1;
    const int m = compareMagnitude(a, b);
    return a.negative ? -m : m;
}

Number add(const Number& a, const Number& b)
{
    const qsizetype integerDigits = std::max(a.integer.size(), b.integer.size());
    const qsizetype fractionDigits = std::max(a.fraction.size(), b.fraction.size());
    const bool bigger = compareMagnitude(a, b) >= 0;
    const Number& large = bigger ? a : b;
    const Number& small = bigger ? b : a;
    const QString sum = combine(aligned(large, integerDigits, fractionDigits),
        aligned(small, integerDigits, fractionDigits), a.negative == b.negative ? 1 : -1);
    return normalised(large.negative, sum, integerDigits + 1);
}

Number negated(Number n)
{
    n.negative = !n.negative && !(n.integer.isEmpty() && n.fraction.isEmpty());
    return n;
}

std::optional<std::int32_t> roundToInt32(const Number& n)
{
    if (n.integer.size() > 10)
        return std::nullopt;
    std::int64_t value = n.integer.isEmpty() ? 0 : n.integer.toLongLong();
    if (!n.fraction.isEmpty()) {
        const QChar first = n.fraction.front();
        const bool exactHalf = first == u'5' && n.fraction.size() == 1;
        if (first > u'5' || (first == u'5' && !exactHalf) || (exactHalf && value % 2 == 1))
            ++value;
    }
    if (n.negative)
        value = -value;
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return std::int32_t(value);
}

} // namespace decimal
