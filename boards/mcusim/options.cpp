#include "options.h"

#include "command.h"

namespace mcusim {

ParsedOptions parseOptions(const std::vector<std::string>& args)
{
    ParsedOptions parsed;
    Options& o = parsed.options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            o.help = true;
        } else if (arg == "--link" || arg == "--eeprom") {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                parsed.error = arg + " needs a path";
                return parsed;
            }
            (arg == "--link" ? o.linkPath : o.eepromPath) = args[++i];
        } else if (arg.size() > 1 && arg[0] == '-') {
            parsed.error = "unknown option " + arg;
            return parsed;
        } else if (o.firmware.empty()) {
            o.firmware = arg;
        } else {
            parsed.error = "more than one firmware given: " + arg;
            return parsed;
        }
    }
    if (o.firmware.empty() && !o.help)
        parsed.error = "no firmware given";
    return parsed;
}

std::string usageText()
{
    return std::string("Usage: mcusim [--link PATH] [--eeprom FILE] FIRMWARE.elf\n"
                       "Runs AVR firmware on a simulated ATmega328P at 16 MHz in real time, with\n"
                       "UART0 (9600 baud) on a pseudo-terminal whose path is the first line\n"
                       "printed.\n"
                       "  --link PATH     also make PATH a symlink to the pseudo-terminal\n"
                       "  --eeprom FILE   keep the EEPROM in FILE across runs (created when the\n"
                       "                  firmware first writes it; missing means erased)\n"
                       "  --help          show this text\n")
        + kCommandHelp;
}

} // namespace mcusim
