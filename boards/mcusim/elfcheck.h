// A look at a file's header before the simulator library parses it: the
// library trusts its input and crashes on a file that is not AVR firmware.
#pragma once

#include <string>

namespace mcusim {

// True when `path` is a regular file holding a 32-bit little-endian AVR ELF
// image whose header tables lie within the file; otherwise says why.
bool isAvrElf(const std::string &path, std::string &error);

} // namespace mcusim
