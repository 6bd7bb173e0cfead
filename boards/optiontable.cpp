#include "optiontable.h"

#include "tuvelaversion.h"

#include <charconv>
#include <cstdio>

namespace boardio {
namespace {

    constexpr std::size_t kHelpColumn = 21;
    const char kHelpName[] = "--help";
    const char kVersionName[] = "--version";

    const Option* find(const CommandLine& line, const std::string& name)
    {
        for (const Option& option : line.options) {
            if (option.name == name)
                return &option;
        }
        return nullptr;
    }

    // One option's rows: its name and value, then its help from kHelpColumn on
    // (on a row of its own when the name is too wide).
    std::string helpRows(const std::string& left, const std::string& help)
    {
        std::string out = "  " + left;
        if (out.size() + 1 > kHelpColumn)
            out += "\n" + std::string(kHelpColumn, ' ');
        else
            out += std::string(kHelpColumn - out.size(), ' ');
        for (const char c : help) {
            out += c;
            if (c == '\n')
                out += std::string(kHelpColumn, ' ');
        }
        return out + "\n";
    }

    // Takes the argument at `i` (and its value, moving `i` past it).
    std::string takeOption(const CommandLine& line, const std::vector<std::string>& args, std::size_t& i)
    {
        const std::string& name = args[i];
        const Option* option = find(line, name);
        if (!option)
            return "unknown option " + name;
        std::string value;
        if (!option->value.empty()) {
            if (i + 1 >= args.size())
                return name + " needs a value (" + option->value + ")";
            value = args[++i];
        }
        const std::string why = option->action(value);
        return why.empty() ? why : name + (value.empty() ? "" : " " + value) + ": " + why;
    }

} // namespace

ParseResult parseCommandLine(const CommandLine& line, const std::vector<std::string>& args)
{
    for (const std::string& arg : args) {
        if (arg == "-h" || arg == kHelpName)
            return { Outcome::Help, {} };
    }
    for (const std::string& arg : args) {
        if (arg == kVersionName)
            return { Outcome::Version, {} };
    }
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string why;
        if (arg.size() > 1 && arg[0] == '-')
            why = takeOption(line, args, i);
        else if (line.operand)
            why = line.operand(arg);
        else
            why = "unexpected argument " + arg;
        if (!why.empty())
            return { Outcome::Refused, why };
    }
    if (line.check) {
        if (std::string why = line.check(); !why.empty())
            return { Outcome::Refused, why };
    }
    return {};
}

std::string helpText(const CommandLine& line)
{
    std::string out = "Usage: " + line.program + " " + line.usage + "\n" + line.description + "\nOptions:\n";
    for (const Option& option : line.options)
        out += helpRows(option.name + (option.value.empty() ? "" : " " + option.value), option.help);
    return out + helpRows("-h, --help", "show this help") + helpRows(kVersionName, "show the version")
        + line.epilogue;
}

std::string versionText(const CommandLine& line)
{
    return line.program + " " + TUVELA_VERSION + "\n";
}

std::optional<int> parseOrExit(const CommandLine& line, int argc, char** argv)
{
    const ParseResult result = parseCommandLine(line, { argv + 1, argv + argc });
    switch (result.outcome) {
    case Outcome::Run:
        return std::nullopt;
    case Outcome::Help:
        std::fputs(helpText(line).c_str(), stdout);
        return 0;
    case Outcome::Version:
        std::fputs(versionText(line).c_str(), stdout);
        return 0;
    case Outcome::Refused:
        break;
    }
    std::fprintf(stderr, "%s: %s\nTry \"%s --help\" for the options.\n", line.program.c_str(),
        result.error.c_str(), line.program.c_str());
    return 2;
}

bool parseInt(const std::string& text, int& value)
{
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && !text.empty();
}

OptionAction intInto(int& target, int lowest, int highest)
{
    return [&target, lowest, highest](const std::string& value) -> std::string {
        int n = 0;
        if (parseInt(value, n) && n >= lowest && n <= highest) {
            target = n;
            return {};
        }
        return "needs a whole number from " + std::to_string(lowest) + " to " + std::to_string(highest);
    };
}

OptionAction textInto(std::string& target)
{
    return [&target](const std::string& value) -> std::string {
        if (value.empty())
            return "needs a value that is not empty";
        target = value;
        return {};
    };
}

OptionAction setFlag(bool& target)
{
    return [&target](const std::string&) -> std::string {
        target = true;
        return {};
    };
}

} // namespace boardio
