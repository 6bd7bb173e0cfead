#include "elfcheck.h"

#include <cstdint>
#include <cstring>
#include <elf.h>
#include <fstream>
#include <sys/stat.h>

namespace mcusim {

namespace {

    // Whether `count` entries of `size` bytes from `offset` fit in the file.
    bool tableFits(std::uint32_t offset, std::uint16_t count, std::uint16_t size, std::uint64_t fileSize)
    {
        return static_cast<std::uint64_t>(offset) + static_cast<std::uint64_t>(count) * size <= fileSize;
    }

} // namespace

bool isAvrElfHeader(const unsigned char* data, std::size_t size, std::uint64_t fileSize, std::string& error)
{
    Elf32_Ehdr header {};
    if (size < sizeof header) {
        error = "too short to be firmware";
        return false;
    }
    std::memcpy(&header, data, sizeof header);
    const bool elf = std::memcmp(header.e_ident, ELFMAG, SELFMAG) == 0
        && header.e_ident[EI_CLASS] == ELFCLASS32 && header.e_ident[EI_DATA] == ELFDATA2LSB;
    if (!elf || header.e_machine != EM_AVR) {
        error = "not AVR firmware (an ELF image built for the AVR is needed)";
        return false;
    }
    if (header.e_shentsize != sizeof(Elf32_Shdr)
        || (header.e_phnum && header.e_phentsize != sizeof(Elf32_Phdr))
        || !tableFits(header.e_shoff, header.e_shnum, header.e_shentsize, fileSize)
        || !tableFits(header.e_phoff, header.e_phnum, header.e_phentsize, fileSize)
        || header.e_shstrndx >= header.e_shnum) {
        error = "a damaged ELF image";
        return false;
    }
    return true;
}

bool isAvrElf(const std::string& path, std::string& error)
{
    struct stat st { };
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        error = path + " is not a readable file";
        return false;
    }
    unsigned char header[sizeof(Elf32_Ehdr)] = {};
    std::ifstream in(path, std::ios::binary);
    in.read(reinterpret_cast<char*>(header), sizeof header);
    std::string reason;
    if (!isAvrElfHeader(
            header, static_cast<std::size_t>(in.gcount()), static_cast<std::uint64_t>(st.st_size), reason)) {
        error = path + " is " + reason;
        return false;
    }
    return true;
}

} // namespace mcusim
