#include "session.h"

#include <algorithm>
#include <cstdio>
#include <poll.h>
#include <unistd.h>

#include "boardio.h"
#include "eepromfile.h"

namespace mcusim {

namespace {

    constexpr std::size_t kReceiveLimit = 4096; // bytes held for the firmware's UART
    constexpr std::size_t kMaxCommandLine = 4096;
    constexpr unsigned kEepromCheckTicks = 10; // milliseconds between EEPROM checks

    template <class... Fs> struct Overloaded : Fs... {
        using Fs::operator()...;
    };
    template <class... Fs> Overloaded(Fs...) -> Overloaded<Fs...>;

} // namespace

Session::Session(std::unique_ptr<SimBoard> board, std::unique_ptr<PtyPair> pty, std::string eepromPath)
    : m_board(std::move(board))
    , m_pty(std::move(pty))
    , m_eepromPath(std::move(eepromPath))
{
    m_savedEeprom = m_board->eeprom();
    m_board->onTransmit([this](std::uint8_t byte) { m_transmitted.push_back(byte); });
    m_board->onTick([this] { tick(); });
}

int Session::run()
{
    const int status = m_board->run();
    saveEepromIfChanged();
    return m_failed ? 1 : status;
}

void Session::tick()
{
    exchangeWithPty();
    if (m_stdinOpen)
        readCommands();
    if (++m_ticks % kEepromCheckTicks == 0)
        saveEepromIfChanged();
    if (boardio::stopRequested())
        m_board->stop();
}

void Session::exchangeWithPty()
{
    // With nobody holding the device open, what the board sends is lost, as
    // on a serial line with nothing plugged in; a program that does not read
    // loses the rest too, like an overrun, rather than stalling the board.
    std::size_t done = 0;
    if (m_pty->listenerPresent()) {
        while (done < m_transmitted.size()) {
            const auto count
                = write(m_pty->master(), m_transmitted.data() + done, m_transmitted.size() - done);
            if (count <= 0)
                break;
            done += static_cast<std::size_t>(count);
        }
    }
    m_transmitted.clear();

    // What the program sends waits in the terminal while the board's queue is full.
    auto& queue = m_board->receiveQueue();
    std::uint8_t buffer[256];
    while (queue.size() < kReceiveLimit) {
        const auto count
            = read(m_pty->master(), buffer, std::min(sizeof buffer, kReceiveLimit - queue.size()));
        if (count <= 0)
            break; // nothing waiting, or nobody attached
        queue.insert(queue.end(), buffer, buffer + count);
    }
}

void Session::readCommands()
{
    // Standard input stays blocking (it may be the terminal of the shell that
    // started us): read only what poll says is there.
    char buffer[512];
    for (;;) {
        pollfd p { STDIN_FILENO, POLLIN, 0 };
        if (poll(&p, 1, 0) <= 0)
            return;
        const auto count = (p.revents & POLLNVAL) ? 0 : read(STDIN_FILENO, buffer, sizeof buffer);
        if (count == 0) {
            m_stdinOpen = false; // the board keeps running without a keyboard
            return;
        }
        if (count < 0)
            return;
        for (auto i = 0; i < count; ++i)
            takeCommandByte(buffer[i]);
    }
}

void Session::takeCommandByte(char byte)
{
    if (byte != '\n') {
        if (m_pendingLine.size() <= kMaxCommandLine)
            m_pendingLine.push_back(byte);
        return;
    }
    const ParsedCommand parsed = m_pendingLine.size() <= kMaxCommandLine
        ? parseCommand(m_pendingLine)
        : ParsedCommand { NoCommand {}, "command line too long" };
    m_pendingLine.clear();
    if (!parsed.error.empty())
        std::fprintf(stderr, "mcusim: %s\n", parsed.error.c_str());
    execute(parsed.command);
}

void Session::execute(const Command& command)
{
    std::visit(Overloaded {
                   [](const NoCommand&) {},
                   [this](const AdcCommand& c) { m_board->setAdc(c.channel, c.millivolts); },
                   [this](const IrCommand& c) { m_board->playInfrared(c.pulses); },
                   [this](const QuitCommand&) { m_board->stop(); },
               },
        command);
}

void Session::saveEepromIfChanged()
{
    if (m_eepromPath.empty())
        return;
    std::vector<std::uint8_t> image = m_board->eeprom();
    if (image == m_savedEeprom)
        return;
    std::string error;
    if (!saveEeprom(m_eepromPath, image, error)) {
        std::fprintf(stderr, "mcusim: %s\n", error.c_str());
        m_failed = true;
    }
    m_savedEeprom = std::move(image); // reported once, not every ten milliseconds
}

} // namespace mcusim
