// The commands mcusim takes on standard input, one a line, to drive the
// board's inputs.
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "irwave.h"

namespace mcusim {

struct NoCommand { }; // a blank line
struct AdcCommand { // adc CH MILLIVOLTS
    int channel = 0;
    int millivolts = 0;
};
struct IrCommand { // ir HEXCODE [PERCENT], irrep [PERCENT], irraw US...
    Pulses pulses;
};
struct QuitCommand { }; // quit

using Command = std::variant<NoCommand, AdcCommand, IrCommand, QuitCommand>;

struct ParsedCommand {
    Command command;
    std::string error; // empty when the line was understood
};

ParsedCommand parseCommand(std::string_view line);

// The text of --help that lists the commands.
extern const char* const kCommandHelp;

} // namespace mcusim
