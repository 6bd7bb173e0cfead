// A look at a file's header before the simulator library parses it: the
// library trusts its input and crashes on a file that is not AVR firmware.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace mcusim {

// The same for a header already read: `data` holds the first `size` bytes of
// a file of `fileSize` bytes.
bool isAvrElfHeader(const unsigned char* data, std::size_t size, std::uint64_t fileSize, std::string& error);

// True when `path` is a regular file holding a 32-bit little-endian AVR ELF
// image whose header tables lie within the file; otherwise says why.
bool isAvrElf(const std::string& path, std::string& error);

} // namespace mcusim
