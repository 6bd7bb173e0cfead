#include "keytable.h"

std::vector<int> KeyTable::matches(const QString &line) const
{
    std::vector<int> result;
    for (int n : kDispatchOrder) {
        if (code(n) == line)
            result.push_back(n);
    }
    return result;
}

bool KeyLineBuffer::append(const QString &chunk, QString &line)
{
    m_buffer += chunk;
    if (m_buffer.endsWith(QStringLiteral("\r\n"))) {
        line = m_buffer.left(m_buffer.size() - 2);
        return true;
    }
    if (m_buffer.size() > kMaxPending)
        m_buffer.remove(0, m_buffer.size() - kMaxPending);
    return false;
}
