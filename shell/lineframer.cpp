#include "lineframer.h"

std::optional<QString> LineFramer::add(const QString& chunk)
{
    m_buffer += chunk;
    if (m_buffer.endsWith(QLatin1String("\r\n"))) {
        QString line = m_buffer.chopped(2);
        m_buffer.clear();
        return line;
    }
    if (m_buffer.size() > kMaxPending)
        m_buffer.remove(0, m_buffer.size() - kMaxPending);
    return std::nullopt;
}
