#include "ptylink.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace mcusim {

namespace {

std::string systemError(const std::string &what)
{
    return what + ": " + std::strerror(errno);
}

} // namespace

std::unique_ptr<PtyLink> PtyLink::open(std::string &error)
{
    int master = -1;
    int slave = -1;
    char name[256] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        error = systemError("cannot open a pseudo-terminal");
        return nullptr;
    }
    // Raw on the slave side, so bytes pass both ways unchanged even for a
    // program that does not set the line up itself; the setting outlives
    // this descriptor.
    termios tio{};
    tcgetattr(slave, &tio);
    cfmakeraw(&tio);
    cfsetspeed(&tio, B9600);
    tcsetattr(slave, TCSANOW, &tio);
    close(slave);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    fcntl(master, F_SETFD, FD_CLOEXEC);
    return std::unique_ptr<PtyLink>(new PtyLink(master, name));
}

PtyLink::PtyLink(int master, std::string slavePath)
    : m_master(master), m_slavePath(std::move(slavePath))
{
}

PtyLink::~PtyLink()
{
    if (!m_linkPath.empty()) {
        char target[256] = {};
        const auto length = readlink(m_linkPath.c_str(), target, sizeof target - 1);
        if (length > 0 && m_slavePath == std::string(target, static_cast<std::size_t>(length)))
            unlink(m_linkPath.c_str());
    }
    close(m_master);
}

bool PtyLink::makeLink(const std::string &path, std::string &error)
{
    struct stat st {};
    if (lstat(path.c_str(), &st) == 0 && !S_ISLNK(st.st_mode)) {
        error = path + " exists and is not a symlink; leaving it alone";
        return false;
    }
    // Made under a temporary name and renamed over, so the link never
    // vanishes for a program that looks it up meanwhile.
    const std::string temporary = path + ".mcusim-" + std::to_string(getpid());
    unlink(temporary.c_str());
    if (symlink(m_slavePath.c_str(), temporary.c_str()) != 0) {
        error = systemError("cannot create the link " + path);
        return false;
    }
    if (rename(temporary.c_str(), path.c_str()) != 0) {
        error = systemError("cannot create the link " + path);
        unlink(temporary.c_str());
        return false;
    }
    m_linkPath = path;
    return true;
}

bool PtyLink::peerAttached() const
{
    // The master side reports a hang-up while no descriptor of the slave is open.
    pollfd fd{m_master, POLLIN, 0};
    return poll(&fd, 1, 0) >= 0 && (fd.revents & POLLHUP) == 0;
}

void PtyLink::receive(std::deque<std::uint8_t> &in, std::size_t limit)
{
    std::uint8_t buffer[256];
    while (in.size() < limit) {
        const auto room = std::min(sizeof buffer, limit - in.size());
        const auto count = read(m_master, buffer, room);
        if (count <= 0)
            return; // nothing waiting, or nobody attached (EIO)
        in.insert(in.end(), buffer, buffer + count);
    }
}

void PtyLink::transmit(const std::vector<std::uint8_t> &bytes)
{
    if (bytes.empty() || !peerAttached())
        return;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const auto count = write(m_master, bytes.data() + done, bytes.size() - done);
        if (count <= 0)
            return; // the program is not reading: drop the rest, like an overrun
        done += static_cast<std::size_t>(count);
    }
}

} // namespace mcusim
