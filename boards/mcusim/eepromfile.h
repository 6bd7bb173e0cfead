// The board's EEPROM kept in a file between runs: a raw image, byte 0 first.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace mcusim {

constexpr std::uint8_t kErasedByte = 0xFF;

// Fills `image` (already sized to the EEPROM) from the file. A missing file
// leaves it erased; a shorter one leaves the rest erased. A file that cannot
// be read or is larger than the EEPROM is an error, so that it is never
// overwritten by mistake.
bool loadEeprom(const std::string& path, std::vector<std::uint8_t>& image, std::string& error);

// Writes the image through a temporary file renamed over the old one, so a
// crash never leaves half an image.
bool saveEeprom(const std::string& path, const std::vector<std::uint8_t>& image, std::string& error);

} // namespace mcusim
