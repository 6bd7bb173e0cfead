#include "simprocess.h"

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace {

// Reads one line of the child's standard output (the pseudo-terminal path).
std::string readFirstLine(int fd, int timeoutMs)
{
    std::string line;
    char c = 0;
    while (line.size() < 512) {
        pollfd p { fd, POLLIN, 0 };
        if (poll(&p, 1, timeoutMs) <= 0 || read(fd, &c, 1) != 1 || c == '\n')
            break;
        line.push_back(c);
    }
    return line;
}

} // namespace

std::string SimProcess::firmwarePath(const std::string& name)
{
    if (!name.empty() && name[0] == '/')
        return name;
    return std::string(TUVELA_FIRMWARE_DIR) + "/" + name;
}

SimProcess::SimProcess(const std::string& firmware, const std::vector<std::string>& args)
{
    int in[2];
    int out[2];
    if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0)
        return;
    std::vector<std::string> argv { MCUSIM_PATH, firmwarePath(firmware) };
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> cargv;
    for (auto& a : argv)
        cargv.push_back(a.data());
    cargv.push_back(nullptr);

    m_pid = fork();
    if (m_pid == 0) {
        dup2(in[0], STDIN_FILENO);
        dup2(out[1], STDOUT_FILENO);
        execv(cargv[0], cargv.data());
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    m_stdin = in[1];
    m_devicePath = readFirstLine(out[0], 10000);
    close(out[0]);
    if (m_devicePath.empty())
        return;
    m_device = open(m_devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    termios tio {};
    if (m_device >= 0 && tcgetattr(m_device, &tio) == 0) {
        cfmakeraw(&tio);
        cfsetspeed(&tio, B9600);
        tcsetattr(m_device, TCSANOW, &tio);
    }
}

SimProcess::~SimProcess()
{
    if (m_pid > 0)
        quit();
    if (m_device >= 0)
        close(m_device);
}

void SimProcess::command(const std::string& line)
{
    const std::string text = line + "\n";
    if (m_stdin >= 0 && write(m_stdin, text.data(), text.size()) < 0) {
        close(m_stdin);
        m_stdin = -1;
    }
}

void SimProcess::send(const std::string& bytes)
{
    std::size_t done = 0;
    while (m_device >= 0 && done < bytes.size()) {
        const auto count = write(m_device, bytes.data() + done, bytes.size() - done);
        if (count <= 0)
            return;
        done += static_cast<std::size_t>(count);
    }
}

std::optional<std::string> SimProcess::readLine(int timeoutMs, Clock::time_point* arrival)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const auto end = m_pending.find("\r\n");
        if (end != std::string::npos) {
            std::string line = m_pending.substr(0, end + 2);
            m_pending.erase(0, end + 2);
            return line;
        }
        const auto left
            = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd p { m_device, POLLIN, 0 };
        if (m_device < 0 || left <= 0 || poll(&p, 1, static_cast<int>(left)) <= 0)
            return std::nullopt;
        char buffer[256];
        const auto count = read(m_device, buffer, sizeof buffer);
        if (count <= 0)
            return std::nullopt;
        if (arrival)
            *arrival = Clock::now();
        m_pending.append(buffer, static_cast<std::size_t>(count));
    }
}

bool SimProcess::waitForLine(const std::string& line, int timeoutMs)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const auto left
            = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        const auto got = readLine(static_cast<int>(std::max<long long>(left, 0)));
        if (!got)
            return false;
        if (*got == line)
            return true;
    }
}

int SimProcess::waitForExit(int timeoutMs)
{
    for (int waited = 0; m_pid > 0 && waited <= timeoutMs; waited += 10) {
        int status = 0;
        if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_pid = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        usleep(10000);
    }
    return -1;
}

void SimProcess::signal(int number)
{
    if (m_pid > 0)
        kill(m_pid, number);
}

int SimProcess::quit()
{
    command("quit");
    int status = waitForExit(5000);
    if (m_pid > 0) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
        m_pid = -1;
        status = -1;
    }
    if (m_stdin >= 0)
        close(m_stdin);
    m_stdin = -1;
    return status;
}
