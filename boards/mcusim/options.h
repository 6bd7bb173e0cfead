// Command line of mcusim.
#pragma once

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

std::string usageText();

} // namespace mcusim
