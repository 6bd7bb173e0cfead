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

bool isAvrElf(const std::string &path, std::string &error)
{
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        error = path + " is not a readable file";
        return false;
    }
    Elf32_Ehdr header{};
    std::ifstream in(path, std::ios::binary);
    if (!in.read(reinterpret_cast<char *>(&header), sizeof header)) {
        error = path + " is too short to be firmware";
        return false;
    }
    const auto size = static_cast<std::uint64_t>(st.st_size);
    const bool elf = std::memcmp(header.e_ident, ELFMAG, SELFMAG) == 0 &&
                     header.e_ident[EI_CLASS] == ELFCLASS32 && header.e_ident[EI_DATA] == ELFDATA2LSB;
    if (!elf || header.e_machine != EM_AVR) {
        error = path + " is not AVR firmware (an ELF image built for the AVR is needed)";
        return false;
    }
    if (header.e_shentsize != sizeof(Elf32_Shdr) || (header.e_phnum && header.e_phentsize != sizeof(Elf32_Phdr)) ||
        !tableFits(header.e_shoff, header.e_shnum, header.e_shentsize, size) ||
        !tableFits(header.e_phoff, header.e_phnum, header.e_phentsize, size) || header.e_shstrndx >= header.e_shnum) {
        error = path + " is a damaged ELF image";
        return false;
    }
    return true;
}

} // namespace mcusim
