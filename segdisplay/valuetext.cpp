#include "valuetext.h"

#include <algorithm>

int drawnDigits(int numDigits)
{
    return std::clamp(numDigits, 1, kMaxDigits);
}

int drawnDigitsExp(int numDigitsExp)
{
    return std::clamp(numDigitsExp, 1, kMaxDigitsExp);
}

void normaliseValue(QString& text)
{
    // Per character, so the text keeps its length whatever the script.
    for (QChar& ch : text)
        ch = ch.toUpper();
    if (text.startsWith(QLatin1Char('.')))
        text.prepend(QLatin1Char('0'));
}

namespace {

bool isBlank(QChar ch)
{
    return ch == QLatin1Char(' ') || ch == QLatin1Char('\t') || ch == QLatin1Char('\r')
        || ch == QLatin1Char('\n');
}

} // namespace

bool valueIsNegative(const QString& text)
{
    bool signSeen = false;
    bool negative = false;
    bool pointSeen = false;
    for (QChar ch : text) {
        if (isBlank(ch))
            continue;
        if (!signSeen && (ch == QLatin1Char('-') || ch == QLatin1Char('+'))) {
            signSeen = true;
            negative = ch == QLatin1Char('-');
            continue;
        }
        signSeen = true;
        if (ch == QLatin1Char('.') && !pointSeen) {
            pointSeen = true;
            continue;
        }
        if (ch >= QLatin1Char('1') && ch <= QLatin1Char('9'))
            return negative;
        if (ch != QLatin1Char('0'))
            return false;
    }
    return false;
}

QString alignRight(const QString& text, int count)
{
    if (count <= 0)
        return {};
    if (text.size() >= count)
        return text.right(count);
    return QString(count - text.size(), QLatin1Char(' ')) + text;
}

SplitText splitValue(const QString& text, int numDigitsExp)
{
    SplitText out;
    qsizetype p = text.indexOf(QLatin1String("E+"));
    if (p < 0)
        p = text.indexOf(QLatin1String("E-"));
    if (p < 0) {
        out.main = text;
        out.exponent = QString(std::max(numDigitsExp, 0), QLatin1Char(' '));
        return out;
    }
    out.main = text.left(p);
    const bool minus = text.at(p + 1) == QLatin1Char('-');
    const int keep = text.contains(QLatin1Char(':')) ? numDigitsExp : numDigitsExp - 1;
    const QString padded = QString(std::max(numDigitsExp - 1, 0), QLatin1Char('0')) + text.mid(p + 2);
    out.exponent = (minus ? QStringLiteral("-") : QStringLiteral(" ")) + padded.right(std::max(keep, 0));
    out.hasExponent = true;
    return out;
}

int patternIndex(QChar ch, bool showBurnIn)
{
    const size_t row = kPatternCharacters.find(ch.unicode());
    if (row == std::u16string_view::npos)
        return 0;
    if (ch == QLatin1Char(' ') && !showBurnIn)
        return -1;
    return int(row);
}

std::vector<bool> markThousands(const QString& main, int numDigits, int grouping)
{
    std::vector<bool> marks(static_cast<size_t>(std::max(numDigits, 0)), false);
    if (grouping <= 0 || numDigits <= 0)
        return marks;
    QString m = main;
    if (!m.contains(QLatin1Char('.')))
        m.append(QLatin1Char('.'));
    const QString t = (QString(numDigits, QLatin1Char('0')) + m).right(numDigits);
    const qsizetype p = t.indexOf(QLatin1Char('.')) + 1; // 1-based; 0 when dropped
    if (p == 0)
        return marks;
    qsizetype lo = numDigits - m.size() + 1;
    if (lo >= 1 && t.at(lo - 1) == QLatin1Char('-'))
        ++lo;
    for (qsizetype q = p - grouping - 1; q >= lo && q >= 0; q -= grouping)
        marks[static_cast<size_t>(q)] = true;
    return marks;
}

int markCell(const QString& main, QChar mark, int numDigits)
{
    const qsizetype p = main.indexOf(mark);
    if (p < 0)
        return -1;
    const qsizetype k = numDigits - main.size() + p; // p is 0-based here
    return (k < 0 || k >= numDigits) ? -2 : static_cast<int>(k);
}

void removeFirst(QString& main, QChar mark)
{
    const qsizetype p = main.indexOf(mark);
    if (p >= 0)
        main.remove(p, 1);
}
