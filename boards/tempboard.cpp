#include "tempboard.h"

#include <algorithm>
#include <cstdio>

TempBoard::TempBoard(const TempBoardOptions& options)
    : m_options(options)
    , m_rng(options.seed)
    , m_temperature(std::clamp(options.start, options.min, options.max))
    , m_setpoint(std::clamp(options.setpoint, kLowest, kHighest))
{
}

std::string TempBoard::line(int value, char further)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d%c\r\n", std::clamp(value, kLowest, kHighest), further);
    return text;
}

std::string TempBoard::tick()
{
    if (m_setpointMode)
        return line(m_setpoint, 'C');
    if (m_options.scripted) {
        if (m_scriptPos >= m_options.script.size())
            return {};
        m_lastScripted = m_options.script[m_scriptPos++];
        return m_lastScripted + "C\r\n";
    }
    const std::string out = line(m_temperature, 'C');
    drift();
    return out;
}

// The current temperature (the last scripted reading, or the start value
// before the script began) with `further` before CR LF.
std::string TempBoard::currentLine(char further) const
{
    if (m_options.scripted && !m_lastScripted.empty())
        return m_lastScripted + further + "\r\n";
    return line(m_temperature, further);
}

// A slow random walk: mostly steady, sometimes one degree up or down.
void TempBoard::drift()
{
    const int roll = int(m_rng() % 8);
    const int step = roll == 0 ? -1 : roll == 1 ? 1 : 0;
    m_temperature = std::clamp(m_temperature + step, m_options.min, m_options.max);
}

std::string TempBoard::command(char c)
{
    switch (c) {
    case '3':
        m_setpointMode = true;
        return line(m_setpoint, 'O');
    case '5':
    case '4':
        if (!m_setpointMode)
            return {};
        m_setpoint = std::clamp(m_setpoint + (c == '5' ? 1 : -1), kLowest, kHighest);
        return line(m_setpoint, 'C');
    case '6':
        if (!m_setpointMode)
            return {};
        m_setpointMode = false;
        return currentLine('N');
    default:
        return {};
    }
}
