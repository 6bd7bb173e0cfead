#include "keyrepeat.h"

#include "keytable.h"

#include <algorithm>

bool KeyRepeat::repeats(int n)
{
    return n >= 1 && n <= kKeyFunctionCount && kKeyFunctions.at(std::size_t(n - 1)).repeats;
}

void KeyRepeat::keyLine(const QString& code, const std::vector<int>& functions, qint64 nowMs)
{
    Press press { code, {}, nowMs, nowMs };
    std::copy_if(functions.begin(), functions.end(), std::back_inserter(press.functions), repeats);
    m_press = std::move(press);
}

std::vector<int> KeyRepeat::repeatLine(qint64 nowMs, const std::optional<QString>& ofKey)
{
    if (!m_press || (ofKey && *ofKey != m_press->code))
        return {};
    if (nowMs - m_press->lastLineMs > kGapMs) {
        m_press.reset();
        return {};
    }
    m_press->lastLineMs = nowMs;
    if (nowMs - m_press->startMs < kDelayMs)
        return {};
    return m_press->functions;
}

std::optional<QString> KeyRepeat::heldCode() const
{
    if (!m_press)
        return std::nullopt;
    return m_press->code;
}
