// Command line of mcusim.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace mcusim {

struct Options {
    std::string firmware; // the ELF image to run
    std::string linkPath; // --link: also reachable under this name
    std::string eepromPath; // --eeprom: EEPROM kept here across runs
    bool help = false;
};

struct ParsedOptions {
    Options options;
    std::string error; // empty when the command line was understood
};

ParsedOptions parseOptions(const std::vector<std::string>& args);

// Parses argv as the simulators do: the help on standard output (status 0),
// a refused command line on standard error (status 2), else nothing.
std::optional<int> parseOrExit(Options& options, int argc, char** argv);

} // namespace mcusim
