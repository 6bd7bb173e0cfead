// irboard: an infrared receiver on a pseudo-terminal.
#include "boardio.h"
#include "heldkey.h"
#include "optiontable.h"

#include <chrono>
#include <cstdio>
#include <poll.h>
#include <unistd.h>

namespace {

const char kDescription[] = "Simulates the infrared receiver on a pseudo-terminal. The first line of output\n"
                            "is the device to open (for example remoteplayer --com1 PATH).\n\n"
                            "Each line read from standard input is sent as a key code followed by CR LF,\n"
                            "once a program has the device open. A line CODE*MS (for example\n"
                            "20DF40BF*1500) holds the key: the code, then the repeat line FFFFFFFF every\n"
                            "108 ms (the first about 52 ms after the code) for MS milliseconds.\n";

struct Args {
    std::string script;
    std::string link;
    int delayMs = 0;
};

boardio::CommandLine commandLine(Args& a)
{
    using namespace boardio;
    return { "irboard", "[options]", kDescription,
        {
            { "--script", "FILE",
                "send the lines of FILE instead of standard input; a line\n"
                "\"@N\" waits N milliseconds instead of sending",
                textInto(a.script) },
            { "--delay", "MS", "wait before each key code (default 0)", intInto(a.delayMs, 0, 1 << 30) },
            { "--link", "PATH", "also make a symbolic link PATH to the device", textInto(a.link) },
        },
        {}, {}, {} };
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

// Sends the repeat lines of a held key, each when due after the key's own
// line; a listener that lets go of the device ends them.
void sendRepeats(PtyPair& pty, std::chrono::steady_clock::time_point keySent, int holdMs)
{
    using namespace std::chrono;
    const int count = irboard::repeatCount(holdMs);
    for (int n = 0; n < count && !boardio::stopRequested(); ++n) {
        const auto wait = duration_cast<milliseconds>(keySent + irboard::repeatDue(n) - steady_clock::now());
        boardio::pause(int(wait.count()));
        if (!pty.listenerPresent() || !pty.write(std::string(irboard::kRepeatLine) + "\r\n"))
            return;
    }
}

bool sendKey(PtyPair& pty, const std::string& line, int delayMs)
{
    const irboard::KeyLine key = irboard::parseKeyLine(line);
    boardio::pause(delayMs);
    if (!waitForListener(pty) || !pty.write(key.code + "\r\n"))
        return false;
    sendRepeats(pty, std::chrono::steady_clock::now(), key.holdMs);
    return true;
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
    if (const std::optional<int> status = boardio::parseOrExit(commandLine(args), argc, argv))
        return *status;
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
