// mcusim: runs board firmware on a simulated microcontroller, its serial
// line on a pseudo-terminal, its inputs driven from standard input.
#include <cstdio>
#include <unistd.h>

#include "boardio.h"
#include "eepromfile.h"
#include "options.h"
#include "session.h"

using namespace mcusim;

namespace {

int fail(const std::string& text)
{
    std::fprintf(stderr, "mcusim: %s\n", text.c_str());
    return 1;
}

// The simulator library prints on standard output while it loads, where
// only the pseudo-terminal's path belongs: send that to standard error.
std::unique_ptr<SimBoard> loadQuietly(const std::string& firmware, std::string& error)
{
    std::fflush(stdout);
    const int saved = dup(STDOUT_FILENO);
    dup2(STDERR_FILENO, STDOUT_FILENO);
    auto board = SimBoard::load(firmware, error);
    std::fflush(stdout);
    dup2(saved, STDOUT_FILENO);
    close(saved);
    return board;
}

} // namespace

int main(int argc, char** argv)
{
    Options o;
    if (const std::optional<int> status = parseOrExit(o, argc, argv))
        return *status;

    std::string error;
    auto board = loadQuietly(o.firmware, error);
    if (!board)
        return fail(error);
    // A new chip's EEPROM is erased (all ones), unless a kept image is given.
    std::vector<std::uint8_t> image(board->eepromSize(), kErasedByte);
    if (!o.eepromPath.empty() && !loadEeprom(o.eepromPath, image, error))
        return fail(error);
    board->setEeprom(image);

    auto pty = std::make_unique<PtyPair>();
    boardio::installStopSignals();
    if (!boardio::announce(*pty, o.linkPath))
        return 1;
    int status = 0;
    {
        Session session(std::move(board), std::move(pty), o.eepromPath);
        status = session.run();
    }
    boardio::removeLink(o.linkPath);
    return status;
}
