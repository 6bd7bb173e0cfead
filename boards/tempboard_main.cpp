// tempboard: a temperature controller on a pseudo-terminal.
#include "boardio.h"
#include "tempboard.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <poll.h>
#include <unistd.h>

namespace {

const char kUsage[] = "Usage: tempboard [options]\n"
                      "Simulates the temperature controller on a pseudo-terminal. The first line of\n"
                      "output is the device to open (for example tempconsole --com1 PATH).\n\n"
                      "Every interval the board sends a reading line such as \"25C\\r\\n\". It answers\n"
                      "\"3\" with \"<SP>O\\r\\n\" and enters set-point mode, \"5\"/\"4\" with the raised or\n"
                      "lowered set-point \"<SP>C\\r\\n\", and \"6\" with \"<T>N\\r\\n\" (the current\n"
                      "temperature) back to measuring.\n\n"
                      "Options:\n"
                      "  --interval MS      time between readings (default 1000)\n"
                      "  --start T          first temperature (default 25)\n"
                      "  --min T, --max T   range of the slow drift (default 18 and 35)\n"
                      "  --setpoint T       set-point at start (default 30)\n"
                      "  --seed N           seed of the drift (default 1)\n"
                      "  --script FILE      send the readings of FILE, one a line, instead of the drift\n"
                      "  --link PATH        also make a symbolic link PATH to the device\n"
                      "  -h, --help         show this help\n";

struct Args {
    TempBoardOptions board;
    std::string link;
};

bool numberOption(const std::string& name, const std::string& value, Args& args)
{
    struct Target {
        const char* name;
        int TempBoardOptions::*field;
    };
    static constexpr Target kTargets[] = {
        { "--interval", &TempBoardOptions::intervalMs },
        { "--start", &TempBoardOptions::start },
        { "--min", &TempBoardOptions::min },
        { "--max", &TempBoardOptions::max },
        { "--setpoint", &TempBoardOptions::setpoint },
    };
    for (const Target& t : kTargets) {
        if (name == t.name)
            return boardio::parseInt(value, args.board.*t.field);
    }
    return false;
}

// Returns 0 to go on, otherwise the exit status.
int parse(int argc, char** argv, Args& args)
{
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "-h" || name == "--help")
            return std::fputs(kUsage, stdout), -1;
        if (i + 1 >= argc)
            return std::fprintf(
                       stderr, "tempboard: unknown option or missing value: %s\n%s", name.c_str(), kUsage),
                   2;
        const std::string value = argv[++i];
        int seed = 0;
        std::string error;
        bool ok = numberOption(name, value, args);
        if (name == "--link")
            args.link = value, ok = true;
        else if (name == "--seed")
            ok = boardio::parseInt(value, seed), args.board.seed = std::uint32_t(seed);
        else if (name == "--script")
            ok = args.board.scripted = boardio::readLines(value, error, args.board.script);
        if (!ok)
            return std::fprintf(stderr, "tempboard: bad option %s %s %s\n", name.c_str(), value.c_str(),
                       error.c_str()),
                   2;
    }
    const TempBoardOptions& b = args.board;
    if (b.intervalMs < 1 || b.min < TempBoard::kLowest || b.max > TempBoard::kHighest || b.min > b.max)
        return std::fprintf(stderr, "tempboard: need --interval >= 1 and 0 <= --min <= --max <= 99\n"), 2;
    return 0;
}

// Sends `text` only while someone has the device open; otherwise it would wait in
// the pseudo-terminal and reach the next opener as stale data.
void send(PtyPair& pty, const std::string& text)
{
    if (!text.empty() && pty.listenerPresent())
        pty.write(text);
}

void serve(PtyPair& pty, TempBoard& board, int intervalMs)
{
    using Clock = std::chrono::steady_clock;
    auto next = Clock::now() + std::chrono::milliseconds(intervalMs);
    while (!boardio::stopRequested()) {
        const auto now = Clock::now();
        if (now >= next) {
            if (pty.listenerPresent())
                send(pty, board.tick());
            next += std::chrono::milliseconds(intervalMs);
            if (next < now)
                next = now + std::chrono::milliseconds(intervalMs);
            continue;
        }
        const int wait = int(std::chrono::duration_cast<std::chrono::milliseconds>(next - now).count()) + 1;
        if (!pty.listenerPresent()) {
            boardio::pause(wait < 50 ? wait : 50);
            continue;
        }
        for (const char c : pty.read(wait))
            send(pty, board.command(c));
    }
}

} // namespace

int main(int argc, char** argv)
{
    Args args;
    if (const int status = parse(argc, argv, args))
        return status < 0 ? 0 : status;
    boardio::installStopSignals();
    PtyPair pty;
    if (!boardio::announce(pty, args.link))
        return 1;
    TempBoard board(args.board);
    serve(pty, board, args.board.intervalMs);
    boardio::removeLink(args.link);
    return 0;
}
