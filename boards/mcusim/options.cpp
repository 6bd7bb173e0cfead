#include "options.h"

#include "command.h"
#include "optiontable.h"

namespace mcusim {
namespace {

    const char kDescription[] = "Runs AVR firmware on a simulated ATmega328P at 16 MHz in real time, with\n"
                                "UART0 (9600 baud) on a pseudo-terminal whose path is the first line\n"
                                "printed.\n";

    boardio::CommandLine commandLine(Options& o)
    {
        using namespace boardio;
        return { "mcusim", "[options] FIRMWARE.elf", kDescription,
            {
                { "--link", "PATH", "also make PATH a symlink to the pseudo-terminal", textInto(o.linkPath) },
                { "--eeprom", "FILE",
                    "keep the EEPROM in FILE across runs (created when the\n"
                    "firmware first writes it; missing means erased)",
                    textInto(o.eepromPath) },
            },
            [&o](const std::string& arg) -> std::string {
                if (!o.firmware.empty())
                    return "more than one firmware given: " + arg;
                o.firmware = arg;
                return {};
            },
            [&o] { return o.firmware.empty() ? std::string("no firmware given") : std::string(); },
            std::string("\n") + kCommandHelp };
    }

} // namespace

ParsedOptions parseOptions(const std::vector<std::string>& args)
{
    ParsedOptions parsed;
    const boardio::ParseResult result = boardio::parseCommandLine(commandLine(parsed.options), args);
    parsed.options.help = result.outcome == boardio::Outcome::Help;
    parsed.error = result.error;
    return parsed;
}

std::optional<int> parseOrExit(Options& options, int argc, char** argv)
{
    return boardio::parseOrExit(commandLine(options), argc, argv);
}

} // namespace mcusim
