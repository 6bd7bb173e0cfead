// The PC end of the board's serial line: a pseudo-terminal whose slave side
// a program opens as if it were a serial device.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace mcusim {

class PtyLink {
public:
    // Opens a raw pseudo-terminal; on failure returns null and says why.
    static std::unique_ptr<PtyLink> open(std::string &error);
    ~PtyLink();
    PtyLink(const PtyLink &) = delete;
    PtyLink &operator=(const PtyLink &) = delete;

    const std::string &slavePath() const { return m_slavePath; }

    // Also makes `path` a symlink to the slave, replacing an older symlink
    // there but never a file or folder. Removed again on destruction.
    bool makeLink(const std::string &path, std::string &error);

    // True while a program holds the slave side open.
    bool peerAttached() const;

    // Appends the bytes the program has sent, keeping `in` at most `limit`
    // long (the rest waits in the terminal).
    void receive(std::deque<std::uint8_t> &in, std::size_t limit);

    // Sends bytes to the program; with nobody attached they are dropped, as
    // a serial line with nothing plugged in would.
    void transmit(const std::vector<std::uint8_t> &bytes);

private:
    PtyLink(int master, std::string slavePath);

    int m_master = -1;
    std::string m_slavePath;
    std::string m_linkPath;
};

} // namespace mcusim
