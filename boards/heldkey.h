// A key held down on the remote, as the infrared receiver reports it: the
// key's own line, then a repeat line for every repeat frame the remote sends
// while the key stays down. No I/O: the simulator asks when each line is due.
#pragma once

#include "irprotocol.h"

#include <chrono>
#include <string>

namespace irboard {

// The line the receiver sends for each repeat frame.
inline constexpr char kRepeatLine[] = IR_REPEAT_LINE;

// One input line of the simulator: a key code, held for `holdMs` milliseconds
// after its own line when written "CODE*MS" (0: pressed, not held).
struct KeyLine {
    std::string code;
    int holdMs = 0;
};

// "CODE*MS" with MS a whole number of milliseconds is a held key; any other
// line, a "*" in it or not, is a code sent as it stands.
KeyLine parseKeyLine(const std::string& line);

// When the n-th repeat line (from 0) is due, counted from the key's own line:
// the first repeat frame starts a frame period after the key's frame began and
// is decoded once it ends; the others follow one a frame period.
std::chrono::microseconds repeatDue(int n);

// How many repeat lines a key held `holdMs` milliseconds sends.
int repeatCount(int holdMs);

} // namespace irboard
