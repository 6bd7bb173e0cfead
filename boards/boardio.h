// Pieces both board simulators share: start-up announcement, --link, stopping on
// a signal, script files.
#pragma once

#include "ptypair.h"

#include <string>
#include <vector>

namespace boardio {

// SIGINT, SIGTERM and SIGHUP ask the main loop to end (the link is removed then).
void installStopSignals();
bool stopRequested();

// Sleeps up to `ms` milliseconds, waking early on a stop signal.
void pause(int ms);

// Prints the slave path as the first line of standard output and, when `link` is
// not empty, makes a symbolic link there to it (replacing an older link, never a
// file). Returns false with a message on standard error when that fails.
bool announce(const PtyPair& pty, const std::string& link);
void removeLink(const std::string& link);

// Reads every line of a text file, without line ends; false when unreadable.
bool readLines(const std::string& path, std::string& error, std::vector<std::string>& lines);

} // namespace boardio
