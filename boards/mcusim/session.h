// One run of mcusim: the board, its pseudo-terminal, the commands on
// standard input and the EEPROM file, serviced every simulated millisecond.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "command.h"
#include "ptypair.h"
#include "simboard.h"

namespace mcusim {

class Session {
public:
    Session(std::unique_ptr<SimBoard> board, std::unique_ptr<PtyPair> pty, std::string eepromPath);

    // Runs until "quit", a stop signal or the firmware halting; returns the
    // exit status.
    int run();

private:
    void tick();
    void exchangeWithPty();
    void readCommands();
    void takeCommandByte(char byte);
    void execute(const Command& command);
    void saveEepromIfChanged();

    std::unique_ptr<SimBoard> m_board;
    std::unique_ptr<PtyPair> m_pty;
    std::string m_eepromPath;
    std::vector<std::uint8_t> m_savedEeprom;
    std::vector<std::uint8_t> m_transmitted;
    std::string m_pendingLine;
    bool m_stdinOpen = true;
    bool m_failed = false;
    unsigned m_ticks = 0;
};

} // namespace mcusim
