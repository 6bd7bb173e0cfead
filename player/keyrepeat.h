// A held remote key as the player sees it: the key's own line, then repeat
// lines while it stays down. Pure: the window reports each line with the
// time it arrived and asks which functions a repeat runs again.
//
//   key line ──> press (its code, its repeating functions, its start)
//   repeat   ──> within 250 ms of the press's previous line: the press goes on,
//                and from 400 ms after the key line on its functions run again;
//                later than that: the press has ended, the repeat is dropped
#pragma once

#include "irprotocol.h"

#include <QString>

#include <optional>
#include <vector>

// The line an infrared receiver sends for each repeat frame of a held key.
inline constexpr char kRepeatCode[] = IR_REPEAT_LINE;

class KeyRepeat {
public:
    // A held key starts repeating this long after its own line, so a short
    // press never acts twice.
    static constexpr qint64 kDelayMs = 400;
    // Repeat frames come every IR_FRAME_PERIOD_US; a longer gap means the key was
    // let go (and the next repeat belongs to a press whose key line was lost).
    static constexpr qint64 kGapMs = 250;

    // Whether function n (1..12) acts again while its key is held: the folder
    // highlight and the volume; choosing, opening and toggling never do.
    static bool repeats(int n);

    // A key line `code` arrived at `nowMs`; `functions` are the functions it
    // ran (in dispatch order), none when it matched nothing.
    void keyLine(const QString& code, const std::vector<int>& functions, qint64 nowMs);

    // A repeat line arrived at `nowMs`: the functions to run again, in
    // dispatch order (none while the delay lasts, after a gap, or when the
    // press runs nothing that repeats). `ofKey`, when the source names the
    // held key, must be the press's code.
    std::vector<int> repeatLine(qint64 nowMs, const std::optional<QString>& ofKey = std::nullopt);

    // The code of the press going on, if any.
    std::optional<QString> heldCode() const;

private:
    struct Press {
        QString code;
        std::vector<int> functions; // the ones that repeat
        qint64 startMs = 0;
        qint64 lastLineMs = 0;
    };
    std::optional<Press> m_press;
};
