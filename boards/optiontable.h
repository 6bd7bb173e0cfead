// The simulators' command lines: each program states its options as a table
// (name, value it takes, help text, what to do with it), and one parser reads
// any of them and prints the help from the same table, so --help, errors and
// exit statuses look alike in every simulator.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace boardio {

// Takes an option's value (or, for a flag, an empty text) and returns why it
// is refused, or an empty text when it is accepted.
using OptionAction = std::function<std::string(const std::string& value)>;

struct Option {
    std::string name; // "--interval"
    std::string value; // shown in the help ("MS"); empty for a flag without value
    std::string help; // one line, or several separated by '\n'
    OptionAction action;
};

struct CommandLine {
    std::string program; // "tempboard": the prefix of every error
    std::string usage; // "[options]": what follows the program name in the usage line
    std::string description; // the text between the usage line and the options
    std::vector<Option> options;
    // Arguments that are not options; without it any such argument is refused.
    OptionAction operand;
    // Runs once every argument is taken (not after --help); returns why the
    // whole command line is refused, or an empty text.
    std::function<std::string()> check;
    std::string epilogue; // printed after the options
};

enum class Outcome { Run, Help, Version, Refused };

struct ParseResult {
    Outcome outcome = Outcome::Run;
    std::string error; // set when refused
};

ParseResult parseCommandLine(const CommandLine& line, const std::vector<std::string>& args);

// The whole --help text: usage line, description, one row per option
// (-h, --help and --version included), epilogue.
std::string helpText(const CommandLine& line);

// The --version text: the program's name and the project's version.
std::string versionText(const CommandLine& line);

// Parses argv: prints the help or the version on standard output (status 0) or the error and
// a hint on standard error (status 2) and returns that status; returns nothing
// when the program should run.
std::optional<int> parseOrExit(const CommandLine& line, int argc, char** argv);

// Parses a whole decimal number; false when `text` is not one.
bool parseInt(const std::string& text, int& value);

// Actions for the common kinds of value.
OptionAction intInto(int& target, int lowest, int highest);
OptionAction textInto(std::string& target); // refuses an empty text
OptionAction setFlag(bool& target);

} // namespace boardio
