#include "ptypair.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

PtyPair::PtyPair()
{
    int slave = -1;
    if (::openpty(&m_master, &slave, nullptr, nullptr, nullptr) != 0) {
        m_master = -1;
        return;
    }
    // Raw, so that bytes pass unchanged in both directions whatever the opener
    // sets up; the simulator's own copy of the slave is closed at once, so that a
    // hang-up on the master tells when nobody has the device open.
    termios tio {};
    if (::tcgetattr(slave, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::cfsetspeed(&tio, B9600);
        ::tcsetattr(slave, TCSANOW, &tio);
    }
    char name[256] = {};
    if (::ttyname_r(slave, name, sizeof name) == 0)
        m_slavePath = name;
    ::close(slave);
    ::fcntl(m_master, F_SETFD, FD_CLOEXEC);
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
}

PtyPair::~PtyPair()
{
    closeMaster();
}

void PtyPair::closeMaster()
{
    if (m_master >= 0)
        ::close(m_master);
    m_master = -1;
}

bool PtyPair::listenerPresent() const
{
    pollfd p { m_master, 0, 0 };
    return m_master >= 0 && ::poll(&p, 1, 0) >= 0 && (p.revents & POLLHUP) == 0;
}

std::string PtyPair::read(int timeoutMs)
{
    std::string out;
    pollfd p { m_master, POLLIN, 0 };
    if (m_master < 0 || ::poll(&p, 1, timeoutMs) <= 0 || (p.revents & POLLIN) == 0)
        return out;
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(m_master, buf, sizeof buf);
        if (n <= 0)
            break;
        out.append(buf, size_t(n));
    }
    return out;
}

bool PtyPair::write(const std::string& data)
{
    size_t done = 0;
    while (done < data.size() && m_master >= 0) {
        const ssize_t n = ::write(m_master, data.data() + done, data.size() - done);
        if (n > 0) {
            done += size_t(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        pollfd p { m_master, POLLOUT, 0 };
        if (::poll(&p, 1, 1000) <= 0)
            return false;
    }
    return done == data.size();
}
