#include "eepromfile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mcusim {

namespace {

    std::string systemError(const std::string& what, const std::string& path)
    {
        return what + " " + path + ": " + std::strerror(errno);
    }

} // namespace

bool loadEeprom(const std::string& path, std::vector<std::uint8_t>& image, std::string& error)
{
    std::fill(image.begin(), image.end(), kErasedByte);
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return true;
        error = systemError("cannot read the EEPROM file", path);
        return false;
    }
    struct stat st { };
    bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (!ok) {
        error = "the EEPROM file " + path + " is not a regular file";
    } else if (static_cast<std::size_t>(st.st_size) > image.size()) {
        error = "the EEPROM file " + path + " holds " + std::to_string(st.st_size)
            + " bytes, more than the board's " + std::to_string(image.size()) + "; not an EEPROM image";
        ok = false;
    } else {
        const auto count = read(fd, image.data(), image.size());
        ok = count == st.st_size;
        if (!ok)
            error = systemError("cannot read the EEPROM file", path);
    }
    close(fd);
    return ok;
}

bool saveEeprom(const std::string& path, const std::vector<std::uint8_t>& image, std::string& error)
{
    const std::string temporary = path + ".tmp-" + std::to_string(getpid());
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = systemError("cannot write the EEPROM file", temporary);
        return false;
    }
    const auto count = write(fd, image.data(), image.size());
    const bool written = count == static_cast<ssize_t>(image.size()) && fsync(fd) == 0;
    close(fd);
    if (!written || rename(temporary.c_str(), path.c_str()) != 0) {
        error = systemError("cannot write the EEPROM file", path);
        unlink(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace mcusim
