#include "lineframer.h"

#include <utility>

std::optional<QString> LineFramer::add(const QString& chunk)
{
    m_buffer += chunk;
    if (m_buffer.endsWith(QLatin1String("\r\n"))) {
        // The buffer itself becomes the line: no copy of its characters.
        QString line = std::exchange(m_buffer, QString());
        line.chop(2);
        return line;
    }
    if (m_buffer.size() > kMaxPending)
        m_buffer.remove(0, m_buffer.size() - kMaxPending);
    return std::nullopt;
}
