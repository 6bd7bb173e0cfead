// mcusim: runs board firmware on a simulated microcontroller, its serial
// line on a pseudo-terminal, its inputs driven from standard input.
#include <csignal>
#include <cstdio>
#include <unistd.h>

#include "eepromfile.h"
#include "options.h"
#include "session.h"

using namespace mcusim;

namespace {

void requestStop(int)
{
    Session::s_stopRequested = 1;
}

int fail(const std::string &text)
{
    std::fprintf(stderr, "mcusim: %s\n", text.c_str());
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    // Standard output carries only the pseudo-terminal's path; anything the
    // simulator library prints goes to standard error instead.
    std::FILE *protocol = fdopen(dup(STDOUT_FILENO), "w");
    dup2(STDERR_FILENO, STDOUT_FILENO);

    const ParsedOptions parsed = parseOptions({argv + 1, argv + argc});
    if (parsed.options.help) {
        std::fputs(usageText().c_str(), protocol);
        return 0;
    }
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "mcusim: %s\n%s", parsed.error.c_str(), usageText().c_str());
        return 2;
    }
    const Options &o = parsed.options;

    std::string error;
    auto board = SimBoard::load(o.firmware, error);
    if (!board)
        return fail(error);
    if (!o.eepromPath.empty()) {
        std::vector<std::uint8_t> image(board->eepromSize());
        if (!loadEeprom(o.eepromPath, image, error))
            return fail(error);
        board->setEeprom(image);
    }
    auto pty = PtyLink::open(error);
    if (!pty || (!o.linkPath.empty() && !pty->makeLink(o.linkPath, error)))
        return fail(error);

    std::fprintf(protocol, "%s\n", pty->slavePath().c_str());
    std::fflush(protocol);

    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);
    std::signal(SIGHUP, requestStop);
    Session session(std::move(board), std::move(pty), o.eepromPath);
    return session.run();
}
