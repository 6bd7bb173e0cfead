// irboard: an infrared receiver on a pseudo-terminal.
#include "boardio.h"

#include <cstdio>
#include <poll.h>
#include <unistd.h>

namespace {

const char kUsage[] = "Usage: irboard [options]\n"
                      "Simulates the infrared receiver on a pseudo-terminal. The first line of output\n"
                      "is the device to open (for example remoteplayer --com1 PATH).\n\n"
                      "Each line read from standard input is sent as a key code followed by CR LF,\n"
                      "once a program has the device open.\n\n"
                      "Options:\n"
                      "  --script FILE      send the lines of FILE instead of standard input; a line\n"
                      "                     \"@N\" waits N milliseconds instead of sending\n"
                      "  --delay MS         wait before each key code (default 0)\n"
                      "  --link PATH        also make a symbolic link PATH to the device\n"
                      "  -h, --help         show this help\n";

struct Args {
    std::string script;
    std::string link;
    int delayMs = 0;
};

int parse(int argc, char** argv, Args& args)
{
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "-h" || name == "--help")
            return std::fputs(kUsage, stdout), -1;
        bool ok = i + 1 < argc;
        const std::string value = ok ? argv[++i] : "";
        if (ok && name == "--script")
            args.script = value;
        else if (ok && name == "--link")
            args.link = value;
        else if (ok && name == "--delay")
            ok = boardio::parseInt(value, args.delayMs) && args.delayMs >= 0;
        else
            ok = false;
        if (!ok)
            return std::fprintf(stderr, "irboard: bad option %s %s\n%s", name.c_str(), value.c_str(), kUsage),
                   2;
    }
    return 0;
}

// Waits for a listener, draining what it sends (the player sends nothing).
bool waitForListener(PtyPair& pty)
{
    while (!boardio::stopRequested()) {
        if (pty.listenerPresent()) {
            pty.read(0);
            return true;
        }
        boardio::pause(50);
    }
    return false;
}

bool sendKey(PtyPair& pty, const std::string& code, int delayMs)
{
    boardio::pause(delayMs);
    return waitForListener(pty) && pty.write(code + "\r\n");
}

void runScript(PtyPair& pty, const std::vector<std::string>& lines, int delayMs)
{
    for (const std::string& line : lines) {
        int ms = 0;
        if (line.size() > 1 && line[0] == '@' && boardio::parseInt(line.substr(1), ms))
            boardio::pause(ms);
        else if (!sendKey(pty, line, delayMs))
            return;
    }
}

void runStdin(PtyPair& pty, int delayMs)
{
    std::string pending;
    char buf[4096];
    while (!boardio::stopRequested()) {
        pollfd p { STDIN_FILENO, POLLIN, 0 };
        if (::poll(&p, 1, 100) <= 0)
            continue;
        const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
        if (n <= 0)
            return;
        pending.append(buf, size_t(n));
        for (size_t nl; (nl = pending.find('\n')) != std::string::npos; pending.erase(0, nl + 1)) {
            std::string code = pending.substr(0, nl);
            if (!code.empty() && code.back() == '\r')
                code.pop_back();
            if (!sendKey(pty, code, delayMs))
                return;
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    Args args;
    if (const int status = parse(argc, argv, args))
        return status < 0 ? 0 : status;
    std::vector<std::string> script;
    std::string error;
    if (!args.script.empty() && !boardio::readLines(args.script, error, script))
        return std::fprintf(stderr, "irboard: %s\n", error.c_str()), 2;
    boardio::installStopSignals();
    PtyPair pty;
    if (!boardio::announce(pty, args.link))
        return 1;
    if (args.script.empty())
        runStdin(pty, args.delayMs);
    else
        runScript(pty, script, args.delayMs);
    // The device stays until the simulator is stopped, so a program reading the
    // last key codes is not cut off.
    while (!boardio::stopRequested()) {
        pty.read(0);
        boardio::pause(100);
    }
    boardio::removeLink(args.link);
    return 0;
}
