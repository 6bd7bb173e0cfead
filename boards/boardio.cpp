#include "boardio.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>
#include <vector>

namespace boardio {
namespace {

    volatile std::sig_atomic_t g_stop = 0;

    void onSignal(int)
    {
        g_stop = 1;
    }

} // namespace

void installStopSignals()
{
    struct sigaction sa { };
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    for (int sig : { SIGINT, SIGTERM, SIGHUP })
        sigaction(sig, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

bool stopRequested()
{
    return g_stop != 0;
}

void pause(int ms)
{
    while (ms > 0 && !stopRequested()) {
        const int step = ms < 50 ? ms : 50;
        timespec ts { 0, long(step) * 1000000L };
        nanosleep(&ts, nullptr);
        ms -= step;
    }
}

bool announce(const PtyPair& pty, const std::string& link)
{
    if (!pty.ok()) {
        std::fprintf(stderr, "cannot open a pseudo-terminal: %s\n", std::strerror(errno));
        return false;
    }
    if (!link.empty()) {
        struct stat st { };
        if (::lstat(link.c_str(), &st) == 0 && !S_ISLNK(st.st_mode)) {
            std::fprintf(stderr, "%s exists and is not a symbolic link; not replacing it\n", link.c_str());
            return false;
        }
        ::unlink(link.c_str());
        if (::symlink(pty.slavePath().c_str(), link.c_str()) != 0) {
            std::fprintf(stderr, "cannot create link %s: %s\n", link.c_str(), std::strerror(errno));
            return false;
        }
    }
    std::printf("%s\n", pty.slavePath().c_str());
    std::fflush(stdout);
    return true;
}

void removeLink(const std::string& link)
{
    struct stat st { };
    if (!link.empty() && ::lstat(link.c_str(), &st) == 0 && S_ISLNK(st.st_mode))
        ::unlink(link.c_str());
}

bool readLines(const std::string& path, std::string& error, std::vector<std::string>& lines)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read " + path + ": " + std::strerror(errno);
        return false;
    }
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return true;
}

} // namespace boardio
