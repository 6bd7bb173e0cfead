// Fuzz target for what mcusim reads from outside: command lines on standard
// input and the header of the firmware file.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "command.h"
#include "elfcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::size_t start = 0;
    while (start <= text.size()) {
        const auto end = std::min(text.find('\n', start), text.size());
        const auto parsed = mcusim::parseCommand(text.substr(start, end - start));
        if (const auto* ir = std::get_if<mcusim::IrCommand>(&parsed.command); ir && ir->pulses.empty())
            __builtin_trap(); // a frame command always has pulses to play
        start = end + 1;
    }
    std::string error;
    mcusim::isAvrElfHeader(data, size, size, error);
    return 0;
}
