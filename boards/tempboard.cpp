#include "tempboard.h"

#include <algorithm>
#include <cstdio>

TempBoard::TempBoard(const TempBoardOptions& options)
    : m_options(options)
    , m_rng(options.seed)
    , m_temperature(std::clamp(options.start, options.min, options.max))
    , m_setpoint(std::clamp(options.setpoint, kLowest, kHighest))
    , m_hangTicks(
          options.hangForMs > 0 ? (options.hangForMs + options.intervalMs - 1) / options.intervalMs : 0)
{
    if (m_options.hover)
        m_temperature = hoverStep();
}

std::string TempBoard::line(int value, char further)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d%c\r\n", std::clamp(value, kLowest, kHighest), further);
    return text;
}

std::string TempBoard::tick()
{
    if (hanging()) {
        ++m_silentTicks;
        return {};
    }
    std::string out = reading();
    if (!out.empty())
        ++m_sent;
    return out;
}

bool TempBoard::hanging() const
{
    return m_options.hangAfter && m_sent >= *m_options.hangAfter
        && (m_hangTicks == 0 || m_silentTicks < m_hangTicks);
}

std::string TempBoard::reading()
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
    advance();
    return out;
}

void TempBoard::advance()
{
    if (m_options.hover)
        m_temperature = hoverStep();
    else
        drift();
}

// The next hovering reading: up to two degrees above the mark (the mark
// itself included) and one or two below it, in turn.
int TempBoard::hoverStep()
{
    const int mark = *m_options.hover;
    const int offset = int(m_rng() % (m_hoverAbove ? 3 : 2));
    const int value = m_hoverAbove ? mark + offset : mark - 1 - offset;
    m_hoverAbove = !m_hoverAbove;
    return std::clamp(value, kLowest, kHighest);
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
    if (hanging())
        return {};
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
