#include "lircevent.h"

#include <QList>

#include <algorithm>
#include <cctype>
#include <limits>

namespace {

bool isHex(QByteArrayView text)
{
    return !text.isEmpty()
        && std::all_of(text.begin(), text.end(), [](char c) { return std::isxdigit(uchar(c)) != 0; });
}

// The count is sent as at least two hex digits; more than eight would not fit.
std::optional<int> repeatCount(QByteArrayView text)
{
    if (!isHex(text) || text.size() > 8)
        return std::nullopt;
    bool ok = false;
    const qulonglong count = QByteArray(text.data(), text.size()).toULongLong(&ok, 16);
    if (!ok || count > qulonglong(std::numeric_limits<int>::max()))
        return std::nullopt;
    return int(count);
}

} // namespace

std::optional<LircEvent> ParseLircEvent(QByteArrayView line)
{
    const QList<QByteArray> fields = QByteArray(line.data(), line.size()).simplified().split(' ');
    if (fields.size() != 4 || !isHex(fields[0]) || fields[2].isEmpty() || fields[3].isEmpty())
        return std::nullopt;
    const std::optional<int> repeat = repeatCount(fields[1]);
    if (!repeat)
        return std::nullopt;
    return LircEvent { QString::fromLatin1(fields[0]), *repeat, QString::fromUtf8(fields[2]),
        QString::fromUtf8(fields[3]) };
}

std::vector<LircEvent> LircEventReader::add(QByteArrayView bytes)
{
    std::vector<LircEvent> events;
    for (char c : bytes) {
        if (c != '\n') {
            if (m_pending.size() < kMaxLine)
                m_pending += c;
            else
                m_overlong = true;
            continue;
        }
        if (!m_overlong) {
            if (std::optional<LircEvent> event = ParseLircEvent(m_pending))
                events.push_back(std::move(*event));
        }
        clear();
    }
    return events;
}

void LircEventReader::clear()
{
    m_pending.clear();
    m_overlong = false;
}
