#include "linkprotocol.h"

#include "decimaltext.h"

std::optional<QString> RxLineFramer::add(const QString& chunk)
{
    m_buffer += chunk;
    if (m_buffer.size() > kMaxLine)
        m_buffer.remove(0, m_buffer.size() - kMaxLine);
    if (!m_buffer.endsWith(QStringLiteral("\r\n")))
        return std::nullopt;
    QString line = m_buffer.size() >= 3 ? m_buffer.chopped(3) : m_buffer;
    m_buffer.clear();
    return line;
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

std::optional<std::int32_t> chartSample(const QString& text)
{
    const std::optional<decimal::Number> n = decimal::parse(text, true);
    if (!n)
        return std::nullopt;
    return decimal::roundToInt32(*n);
}
