// tempboard: a temperature controller on a pseudo-terminal.
#include "boardio.h"
#include "optiontable.h"
#include "tempboard.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <poll.h>
#include <unistd.h>

namespace {

const char kDescription[]
    = "Simulates the temperature controller on a pseudo-terminal. The first line of\n"
      "output is the device to open (for example tempconsole --com1 PATH).\n\n"
      "Every interval the board sends a reading line such as \"25C\\r\\n\". It answers\n"
      "\"3\" with \"<SP>O\\r\\n\" and enters set-point mode, \"5\"/\"4\" with the raised or\n"
      "lowered set-point \"<SP>C\\r\\n\", and \"6\" with \"<T>N\\r\\n\" (the current\n"
      "temperature) back to measuring. A hanging board sends nothing and ignores\n"
      "these commands: its mode and set-point stay as they were.\n";

struct Args {
    TempBoardOptions board;
    std::string link;
    std::string script;
    int seed = 1;
    int hover = 0;
    int hangAfter = -1;
};

constexpr int kMost = 1 << 30;

// What single options cannot settle: the drift's range and the one source of
// readings; then the script is read.
std::string checkArgs(Args& a)
{
    TempBoardOptions& b = a.board;
    if (b.min > b.max)
        return "--min must not be above --max";
    if (a.hover && !a.script.empty())
        return "--hover and --script exclude each other";
    b.seed = std::uint32_t(a.seed);
    if (a.hover)
        b.hover = a.hover;
    if (a.hangAfter >= 0)
        b.hangAfter = a.hangAfter;
    std::string error;
    if (!a.script.empty())
        b.scripted = boardio::readLines(a.script, error, b.script);
    return error;
}

boardio::CommandLine commandLine(Args& a)
{
    using namespace boardio;
    TempBoardOptions& b = a.board;
    const int lo = TempBoard::kLowest;
    const int hi = TempBoard::kHighest;
    return { "tempboard", "[options]", kDescription,
        {
            { "--interval", "MS", "time between readings (default 1000)", intInto(b.intervalMs, 1, kMost) },
            { "--start", "T", "first temperature (default 25)", intInto(b.start, lo, hi) },
            { "--min", "T", "lowest temperature of the slow drift (default 18)", intInto(b.min, lo, hi) },
            { "--max", "T", "highest temperature of the slow drift (default 35)", intInto(b.max, lo, hi) },
            { "--setpoint", "T", "set-point at start (default 30)", intInto(b.setpoint, lo, hi) },
            { "--seed", "N", "seed of the drift and the hovering (default 1)", intInto(a.seed, 0, kMost) },
            { "--script", "FILE", "send the readings of FILE, one a line, instead of the drift",
                textInto(a.script) },
            { "--hover", "T",
                "send readings within two degrees of T instead of the drift,\n"
                "at or above T and below it in turn",
                intInto(a.hover, lo + 1, hi) },
            { "--hang-after", "N",
                "hang after N readings: send nothing, answer nothing,\nthe device kept open",
                intInto(a.hangAfter, 0, kMost) },
            { "--hang-for", "MS", "end the hang after MS milliseconds (default 0: never)",
                intInto(b.hangForMs, 0, kMost) },
            { "--link", "PATH", "also make a symbolic link PATH to the device", textInto(a.link) },
        },
        {}, [&a] { return checkArgs(a); }, {} };
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
    if (const std::optional<int> status = boardio::parseOrExit(commandLine(args), argc, argv))
        return *status;
    boardio::installStopSignals();
    PtyPair pty;
    if (!boardio::announce(pty, args.link))
        return 1;
    TempBoard board(args.board);
    serve(pty, board, args.board.intervalMs);
    boardio::removeLink(args.link);
    return 0;
}
