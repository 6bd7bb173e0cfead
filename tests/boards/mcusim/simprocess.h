// Test helper: mcusim running one firmware image as a child process, its
// standard input for board commands and its pseudo-terminal opened the way a
// program opens a serial device.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

class SimProcess {
public:
    using Clock = std::chrono::steady_clock;

    // Starts mcusim on `firmware` (a file name in the firmware build folder,
    // or an absolute path) with further arguments; check started() afterwards.
    explicit SimProcess(const std::string& firmware, const std::vector<std::string>& args = {});
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    bool started() const { return m_device >= 0; }
    const std::string& devicePath() const { return m_devicePath; }

    // One line to mcusim's standard input.
    void command(const std::string& line);
    // Bytes to the board over the serial line.
    void send(const std::string& bytes);

    // The next line from the board with its CR LF, or nothing after `timeoutMs`.
    std::optional<std::string> readLine(int timeoutMs, Clock::time_point* arrival = nullptr);
    // Reads lines until one equals `line`; false if none does within `timeoutMs`.
    bool waitForLine(const std::string& line, int timeoutMs);

    // Asks mcusim to quit and returns its exit status (-1 if it had to be killed).
    int quit();
    // Sends a signal to mcusim (SIGTERM to stop it, SIGKILL to cut the power).
    void signal(int number);
    // Waits for mcusim to end on its own; its exit status, or -1 on timeout.
    int waitForExit(int timeoutMs);

    // The path of a built firmware image.
    static std::string firmwarePath(const std::string& name);

private:
    pid_t m_pid = -1;
    int m_stdin = -1;
    int m_device = -1;
    std::string m_devicePath;
    std::string m_pending;
};
