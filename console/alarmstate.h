// The over-temperature alarm as the operator lives with it, and the watch for
// a board that stopped sending. Pure: the owner reports what happened, with the
// time in milliseconds on a steady clock, and acts on the event returned.
//
//   Normal ──at or above──> Waiting ──still, after the delay──> Active
//     ^  ^                     │                          │  acknowledge
//     │  └──── below ──────────┘                          v
//     └───── below the set-point minus the dead band ── Acknowledged
//                                                     (sounds again after
//                                                      the resound time)
//
// With no delay the alarm is raised at the first reading at or above the
// set-point; while it is raised it clears only below the set-point minus the
// dead band (with no dead band: below the set-point).
#pragma once

#include <cstdint>

struct AlarmTiming {
    std::int64_t delayMs = 0; // readings at or above for this long raise the alarm
    std::int64_t resoundMs = 0; // acknowledged, it sounds again after this; 0: never
};

class AlarmState {
public:
    enum class Event { None, Raised, Acknowledged, Resounded, Cleared };

    // A reading in measuring mode: `atOrAbove` the set-point, and whether it is
    // `belowClearLevel` (below the set-point minus the dead band).
    Event reading(bool atOrAbove, bool belowClearLevel, std::int64_t nowMs, const AlarmTiming& timing);
    // No alarm any more whatever the reading: set-point mode, or the link ended.
    Event reset();
    // The operator silenced it: only a sounding alarm is acknowledged.
    Event acknowledge(std::int64_t nowMs);
    // At each buzzer tick: an acknowledged alarm sounds again once the resound
    // time has passed.
    Event tick(std::int64_t nowMs, const AlarmTiming& timing);

    // Raised and not cleared (acknowledged or not): the lamp is lit.
    bool active() const { return m_phase == Phase::Active || m_phase == Phase::Acknowledged; }
    bool acknowledged() const { return m_phase == Phase::Acknowledged; }
    // The buzzer sounds: raised and not acknowledged.
    bool sounding() const { return m_phase == Phase::Active; }

private:
    enum class Phase { Normal, Waiting, Active, Acknowledged };
    Phase m_phase = Phase::Normal;
    std::int64_t m_since = 0; // start of the wait, or time of the acknowledgement
};

// No complete line for the stale time while measuring makes the board quiet;
// the next line ends it. The wait starts again at every line and whenever
// watching starts (connect, leaving set-point mode).
class QuietWatch {
public:
    enum class Event { None, Quiet, Resumed };

    // Starts (or restarts) the wait from `nowMs`; a quiet board is forgotten
    // without an event (the link ended, or set-point mode began).
    void restart(std::int64_t nowMs);
    // A complete line arrived.
    Event line(std::int64_t nowMs);
    // At each look while watched; `staleMs` 0 never reports.
    Event check(std::int64_t nowMs, std::int64_t staleMs);

    bool quiet() const { return m_quiet; }

private:
    std::int64_t m_lastLine = 0;
    bool m_quiet = false;
};

// The buzzer's sound stream, as its outlet finds it at a buzzer tick.
enum class BuzzerStream {
    None, // no stream open
    Playing, // open and played on since the last look
    Waiting, // open, played nothing since the last look (a slow start)
    Stalled, // open, played nothing over the last two looks
    Failed, // closed by an error (sound server gone, device lost)
};

// What the outlet does with its stream at a buzzer tick.
enum class BuzzerAction { Keep, Start, Stop, Restart };

// The stream follows the alarm: opened while it sounds, closed otherwise, and
// opened afresh when it failed or stalled, so that a sound server that comes
// back is heard again at the next tick.
BuzzerAction buzzerAction(bool sounding, BuzzerStream stream);
