#include "command.h"

#include <array>
#include <charconv>
#include <optional>
#include <vector>

namespace mcusim {

const char* const kCommandHelp
    = "Commands on standard input, one a line:\n"
      "  adc CH MILLIVOLTS   put 0..5000 mV on ADC channel CH (0..7)\n"
      "  ir HEXCODE [PCT]    send an NEC frame for the 32-bit code (1..8 hex digits),\n"
      "                      timing scaled to PCT percent (50..200, default 100)\n"
      "  irrep [PCT]         send an NEC repeat frame\n"
      "  irraw US...         send raw pulses: mark, space, mark... in microseconds\n"
      "  quit                save the EEPROM and end\n";

namespace {

    using Words = std::vector<std::string_view>;

    constexpr int kMaxMillivolts = 5000; // the reference: a pin cannot go above it
    constexpr int kMinPercent = 50;
    constexpr int kMaxPercent = 200;
    constexpr long kMaxRawMicros = 1000000;
    constexpr std::size_t kMaxRawPulses = 256;

    Words splitWords(std::string_view line)
    {
        Words words;
        std::size_t pos = 0;
        while (pos < line.size()) {
            const auto start = line.find_first_not_of(" \t\r", pos);
            if (start == std::string_view::npos)
                break;
            auto end = line.find_first_of(" \t\r", start);
            if (end == std::string_view::npos)
                end = line.size();
            words.push_back(line.substr(start, end - start));
            pos = end;
        }
        return words;
    }

    std::optional<long> number(std::string_view word, long min, long max, int base = 10)
    {
        long value = 0;
        const auto* end = word.data() + word.size();
        const auto [ptr, ec] = std::from_chars(word.data(), end, value, base);
        if (word.empty() || ec != std::errc() || ptr != end || value < min || value > max)
            return std::nullopt;
        return value;
    }

    ParsedCommand failure(std::string text)
    {
        return { NoCommand {}, std::move(text) };
    }

    // The optional timing percentage after a frame command.
    std::optional<int> percentAt(const Words& words, std::size_t index)
    {
        if (words.size() <= index)
            return 100;
        if (words.size() > index + 1)
            return std::nullopt;
        const auto value = number(words[index], kMinPercent, kMaxPercent);
        return value ? std::optional<int>(static_cast<int>(*value)) : std::nullopt;
    }

    ParsedCommand parseAdc(const Words& words)
    {
        const auto channel = words.size() == 3 ? number(words[1], 0, 7) : std::nullopt;
        const auto millivolts = words.size() == 3 ? number(words[2], 0, kMaxMillivolts) : std::nullopt;
        if (!channel || !millivolts)
            return failure("usage: adc CH MILLIVOLTS (CH 0..7, 0..5000 mV)");
        return { AdcCommand { static_cast<int>(*channel), static_cast<int>(*millivolts) }, {} };
    }

    ParsedCommand parseIr(const Words& words)
    {
        const bool hexOk = words.size() >= 2 && words[1].size() <= 8;
        const auto code = hexOk ? number(words[1], 0, 0xFFFFFFFFL, 16) : std::nullopt;
        const auto percent = percentAt(words, 2);
        if (!code || !percent || words.size() > 3)
            return failure("usage: ir HEXCODE [PERCENT] (1..8 hex digits, 50..200 %)");
        return { IrCommand { necFrame(static_cast<std::uint32_t>(*code), *percent) }, {} };
    }

    ParsedCommand parseRepeat(const Words& words)
    {
        const auto percent = percentAt(words, 1);
        if (!percent)
            return failure("usage: irrep [PERCENT] (50..200 %)");
        return { IrCommand { necRepeat(*percent) }, {} };
    }

    ParsedCommand parseRaw(const Words& words)
    {
        if (words.size() < 2 || words.size() > kMaxRawPulses + 1)
            return failure("usage: irraw US... (1 to 256 lengths of 1..1000000 us)");
        Pulses pulses;
        for (std::size_t i = 1; i < words.size(); ++i) {
            const auto micros = number(words[i], 1, kMaxRawMicros);
            if (!micros)
                return failure("irraw: not a length in microseconds: " + std::string(words[i]));
            pulses.push_back(static_cast<std::uint32_t>(*micros));
        }
        return { IrCommand { std::move(pulses) }, {} };
    }

    ParsedCommand parseQuit(const Words& words)
    {
        if (words.size() != 1)
            return failure("usage: quit");
        return { QuitCommand {}, {} };
    }

    struct CommandEntry {
        std::string_view name;
        ParsedCommand (*parse)(const Words&);
    };

    constexpr std::array kCommands {
        CommandEntry { "adc", parseAdc },
        CommandEntry { "ir", parseIr },
        CommandEntry { "irrep", parseRepeat },
        CommandEntry { "irraw", parseRaw },
        CommandEntry { "quit", parseQuit },
    };

} // namespace

ParsedCommand parseCommand(std::string_view line)
{
    const Words words = splitWords(line);
    if (words.empty())
        return { NoCommand {}, {} };
    for (const auto& entry : kCommands) {
        if (entry.name == words[0])
            return entry.parse(words);
    }
    return failure("unknown command: " + std::string(words[0]));
}

} // namespace mcusim
