#include "alarmstate.h"

#include <array>

AlarmState::Event AlarmState::reading(
    bool atOrAbove, bool belowClearLevel, std::int64_t nowMs, const AlarmTiming& timing)
{
    if (active()) {
        if (!belowClearLevel)
            return Event::None;
        m_phase = Phase::Normal;
        return Event::Cleared;
    }
    if (!atOrAbove) {
        m_phase = Phase::Normal;
        return Event::None;
    }
    if (m_phase == Phase::Normal) {
        m_phase = Phase::Waiting;
        m_since = nowMs;
    }
    if (nowMs - m_since < timing.delayMs)
        return Event::None;
    m_phase = Phase::Active;
    return Event::Raised;
}

AlarmState::Event AlarmState::reset()
{
    const bool was = active();
    m_phase = Phase::Normal;
    return was ? Event::Cleared : Event::None;
}

AlarmState::Event AlarmState::acknowledge(std::int64_t nowMs)
{
    if (m_phase != Phase::Active)
        return Event::None;
    m_phase = Phase::Acknowledged;
    m_since = nowMs;
    return Event::Acknowledged;
}

AlarmState::Event AlarmState::tick(std::int64_t nowMs, const AlarmTiming& timing)
{
    if (m_phase != Phase::Acknowledged || timing.resoundMs <= 0 || nowMs - m_since < timing.resoundMs)
        return Event::None;
    m_phase = Phase::Active;
    return Event::Resounded;
}

void QuietWatch::restart(std::int64_t nowMs)
{
    m_lastLine = nowMs;
    m_quiet = false;
}

QuietWatch::Event QuietWatch::line(std::int64_t nowMs)
{
    m_lastLine = nowMs;
    if (!m_quiet)
        return Event::None;
    m_quiet = false;
    return Event::Resumed;
}

QuietWatch::Event QuietWatch::check(std::int64_t nowMs, std::int64_t staleMs)
{
    if (m_quiet || staleMs <= 0 || nowMs - m_lastLine < staleMs)
        return Event::None;
    m_quiet = true;
    return Event::Quiet;
}

namespace {

struct BuzzerRule {
    bool sounding;
    BuzzerStream stream;
    BuzzerAction action;
};

constexpr std::array kBuzzerRules {
    BuzzerRule { false, BuzzerStream::None, BuzzerAction::Keep },
    BuzzerRule { false, BuzzerStream::Playing, BuzzerAction::Stop },
    BuzzerRule { false, BuzzerStream::Waiting, BuzzerAction::Stop },
    BuzzerRule { false, BuzzerStream::Stalled, BuzzerAction::Stop },
    BuzzerRule { false, BuzzerStream::Failed, BuzzerAction::Stop },
    BuzzerRule { true, BuzzerStream::None, BuzzerAction::Start },
    BuzzerRule { true, BuzzerStream::Playing, BuzzerAction::Keep },
    BuzzerRule { true, BuzzerStream::Waiting, BuzzerAction::Keep },
    BuzzerRule { true, BuzzerStream::Stalled, BuzzerAction::Restart },
    BuzzerRule { true, BuzzerStream::Failed, BuzzerAction::Restart },
};

} // namespace

BuzzerAction buzzerAction(bool sounding, BuzzerStream stream)
{
    for (const BuzzerRule& rule : kBuzzerRules) {
        if (rule.sounding == sounding && rule.stream == stream)
            return rule.action;
    }
    return BuzzerAction::Keep;
}
