#include "labclient.h"

#include "labsession.h"

#include <chrono>
#include <mutex>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// libmosquitto wants its global set-up once per process.
void initLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] { mosquitto_lib_init(); });
}

} // namespace

void LabClient::run()
{
    Session s(*this);
    int failures = 0;
    for (;;) {
        if (drain(s))
            break;
        std::string reason = s.open();
        const bool made = reason.empty();
        if (made)
            reason = s.serve();
        const bool wasUp = s.connected;
        const bool refused = !made || !s.refusal.empty();
        s.forget();
        if (reason.empty())
            break; // stopped
        report(refused ? Link::Refused : Link::Lost, reason);
        failures = wasUp ? 1 : failures + 1;
        if (pause(pauseMs(failures), s))
            break;
    }
    s.forget();
}

bool LabClient::drain(Session& s)
{
    std::vector<Item> items;
    bool resend = false;
    bool stopping = false;
    {
        std::lock_guard lock(m_mutex);
        items.swap(m_inbox);
        resend = std::exchange(m_resend, false);
        stopping = m_stopping;
    }
    for (Item& item : items)
        s.keep(std::move(item));
    if (resend && s.connected) {
        for (const std::string& topic : s.retainedOrder)
            s.publishRetained(topic);
    }
    s.publishEvents();
    std::lock_guard lock(m_mutex);
    m_pending = s.events.size()
        + std::size_t(std::count_if(m_inbox.begin(), m_inbox.end(), [](const Item& i) { return !i.retain; }));
    return stopping;
}

bool LabClient::pause(int ms, Session& s)
{
    const auto end = Clock::now() + std::chrono::milliseconds(ms);
    while (Clock::now() < end) {
        pollfd fd { m_wakeFd, POLLIN, 0 };
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
        ::poll(&fd, 1, int(std::max<long long>(left.count(), 0)));
        std::uint64_t count = 0;
        [[maybe_unused]] const ssize_t n = ::read(m_wakeFd, &count, sizeof count);
        if (drain(s))
            return true;
    }
    return false;
}

void LabClient::received(Incoming message)
{
    {
        std::lock_guard lock(m_mutex);
        m_incoming.push_back(std::move(message));
    }
    if (m_wake)
        m_wake();
}

LabClient::LabClient(LabClientConfig config, std::function<void()> wake)
    : m_config(std::move(config))
    , m_wake(std::move(wake))
    , m_wakeFd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
    initLibrary();
    m_thread = std::thread([this] { run(); });
}

LabClient::~LabClient()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    wakeThread();
    m_thread.join();
    ::close(m_wakeFd);
}

int LabClient::pauseMs(int failures)
{
    int pause = kFirstPauseMs;
    for (int i = 1; i < failures && pause < kLastPauseMs; ++i)
        pause *= 2;
    return std::min(pause, kLastPauseMs);
}

void LabClient::wakeThread()
{
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = ::write(m_wakeFd, &one, sizeof one);
}

void LabClient::retain(const std::string& topic, const std::string& payload)
{
    hand({ topic, payload, true });
}

void LabClient::event(const std::string& payload)
{
    hand({ {}, payload, false });
}

void LabClient::event(std::function<std::string()> make)
{
    hand({ {}, {}, false, std::move(make) });
}

// While connected the thread looks at what was handed over every turn of its
// loop; only a thread pausing between attempts needs waking.
void LabClient::hand(Item item)
{
    std::lock_guard lock(m_mutex);
    if (!item.retain)
        ++m_pending;
    m_inbox.push_back(std::move(item));
    if (!m_up)
        wakeThread();
}

void LabClient::resendRetained()
{
    std::lock_guard lock(m_mutex);
    m_resend = true;
    wakeThread();
}

std::vector<LabClient::Report> LabClient::takeReports()
{
    std::lock_guard lock(m_mutex);
    return std::exchange(m_reports, {});
}

std::vector<LabClient::Incoming> LabClient::takeIncoming()
{
    std::lock_guard lock(m_mutex);
    return std::exchange(m_incoming, {});
}

void LabClient::report(Link link, const std::string& reason)
{
    {
        std::lock_guard lock(m_mutex);
        m_reports.push_back({ link, reason });
    }
    if (m_wake)
        m_wake();
}
