// A pseudo-terminal pair: the board simulators and the serial tests hold the
// master side; a program opens the slave path as its serial device.
#pragma once

#include <string>

class PtyPair {
public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool ok() const { return m_master >= 0; }
    int master() const { return m_master; }
    const std::string& slavePath() const { return m_slavePath; }

    // True while some process has the slave side open (the master then sees no
    // hang-up). Output with nobody listening would pile up for the next opener.
    bool listenerPresent() const;

    // Waits up to `timeoutMs` for bytes from the slave side; returns what came
    // ("" on timeout or when nobody listens).
    std::string read(int timeoutMs);
    // Writes all of `data`; false when the pty refuses it.
    bool write(const std::string& data);

    // Closes the master: the slave side sees a hang-up, as if the device vanished.
    void closeMaster();

private:
    int m_master = -1;
    std::string m_slavePath;
};
