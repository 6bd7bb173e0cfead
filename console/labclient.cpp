#include "labclient.h"

#include <mosquitto.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <map>
#include <mutex>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>
#include <utility>

namespace {

using Clock = std::chrono::steady_clock;

// libmosquitto wants its global set-up once per process.
void initLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] { mosquitto_lib_init(); });
}

struct Outgoing {
    std::string payload;
    int mid = 0; // 0: not handed to the broker on this connection
};

std::string errorReason(int rc);

} // namespace

// The network thread's own state: one connection attempt's client, the
// retained topics, the events not yet acknowledged.
struct LabClient::Session {
    explicit Session(LabClient& client)
        : owner(client)
    {
    }
    LabClient& owner;
    mosquitto* mosq = nullptr;
    bool connected = false;
    bool accepted = false; // the broker said yes; connectedNow() follows
    std::string refusal; // why the broker or the TLS handshake said no
    std::vector<std::string> retainedOrder;
    std::map<std::string, std::string> retained;
    std::deque<Outgoing> events;
    std::size_t sent = 0; // the first `sent` events are with the broker
    std::int64_t dropped = 0;
    int offlineMid = -1;
    bool offlineAcked = false;

    // Makes the client for one attempt; "" or why it cannot be made.
    std::string open();
    // Runs one connection until it is lost (returns why) or the link stops ("").
    std::string serve();
    void goodbye();
    // Why the attempt ended with `rc`; a name that cannot be found and a
    // failed handshake are refusals, not losses.
    std::string failed(int rc)
    {
        if (refusal.empty() && (rc == MOSQ_ERR_EAI || rc == MOSQ_ERR_TLS))
            refusal = errorReason(rc);
        return refusal.empty() ? errorReason(rc) : refusal;
    }
    void keep(Item item);
    void publishRetained(const std::string& topic);
    void publishEvents();
    void acknowledged(int mid);
    void connectedNow();
    void incoming(const mosquitto_message* m)
    {
        const char* payload = static_cast<const char*>(m->payload);
        owner.received({ m->topic ? m->topic : "",
            payload ? std::string(payload, size_t(std::max(m->payloadlen, 0))) : std::string(), m->retain });
    }
    void forget();
};

namespace {

std::string connackReason(int rc)
{
    switch (rc) {
    case 4:
        return "wrong user name or password";
    case 5: // what a broker also says to a wrong password
        return "wrong user name or password, or not authorised";
    default:
        return mosquitto_connack_string(rc);
    }
}

void onConnect(mosquitto*, void* data, int rc)
{
    auto& s = *static_cast<LabClient::Session*>(data);
    // Publishing waits until the loop has returned: the library's own
    // locks are still held inside its callbacks.
    if (rc == 0)
        s.accepted = true;
    else
        s.refusal = connackReason(rc);
}

void onPublish(mosquitto*, void* data, int mid)
{
    static_cast<LabClient::Session*>(data)->acknowledged(mid);
}

void onMessage(mosquitto*, void* data, const mosquitto_message* m)
{
    auto& s = *static_cast<LabClient::Session*>(data);
    s.incoming(m);
}

std::string errorReason(int rc)
{
    switch (rc) {
    case MOSQ_ERR_EAI:
        return "host not found";
    case MOSQ_ERR_ERRNO:
        return std::strerror(errno);
    case MOSQ_ERR_KEEPALIVE:
        return "no answer from the broker";
    case MOSQ_ERR_CONN_LOST:
        return "connection lost";
    case MOSQ_ERR_TLS:
        return "TLS handshake failed";
    default:
        return mosquitto_strerror(rc);
    }
}

void onLog(mosquitto*, void* data, int, const char* text)
{
    auto& s = *static_cast<LabClient::Session*>(data);
    const std::string line = text ? text : "";
    if (line.find("certificate verify failed") != std::string::npos)
        s.refusal = "certificate not trusted";
    else if (line.find("OpenSSL Error") != std::string::npos && s.refusal.empty())
        s.refusal = "TLS handshake failed";
}

} // namespace

void LabClient::Session::keep(Item item)
{
    if (item.make)
        item.payload = item.make();
    if (item.retain) {
        if (!retained.count(item.topic))
            retainedOrder.push_back(item.topic);
        retained[item.topic] = item.payload;
        if (connected)
            publishRetained(item.topic);
        return;
    }
    if (events.size() >= kMaxEvents) {
        events.pop_front();
        sent -= sent > 0 ? 1 : 0;
        ++dropped;
    }
    events.push_back({ std::move(item.payload), 0 });
}

void LabClient::Session::publishRetained(const std::string& topic)
{
    const std::string& payload = retained[topic];
    mosquitto_publish(mosq, nullptr, topic.c_str(), int(payload.size()), payload.data(), 1, true);
}

void LabClient::Session::publishEvents()
{
    if (!connected)
        return;
    if (dropped > 0 && owner.m_config.droppedEvent && !events.empty() && sent == 0) {
        events.push_front({ owner.m_config.droppedEvent(dropped), 0 });
        dropped = 0;
    }
    for (; sent < events.size(); ++sent) {
        Outgoing& e = events[sent];
        const std::string& topic = owner.m_config.eventsTopic;
        if (mosquitto_publish(mosq, &e.mid, topic.c_str(), int(e.payload.size()), e.payload.data(), 1, false)
            != MOSQ_ERR_SUCCESS) {
            e.mid = 0;
            break;
        }
    }
}

void LabClient::Session::acknowledged(int mid)
{
    if (mid == offlineMid) {
        offlineAcked = true;
        return;
    }
    // Acknowledgements come in order, nearly always for the oldest.
    const auto end = events.begin() + std::ptrdiff_t(sent);
    const auto it = std::find_if(events.begin(), end, [mid](const Outgoing& e) { return e.mid == mid; });
    if (it != end) {
        events.erase(it);
        --sent;
    }
}

void LabClient::Session::connectedNow()
{
    connected = true;
    const LabClientConfig& c = owner.m_config;
    mosquitto_publish(mosq, nullptr, c.statusTopic.c_str(), 6, "online", 1, true);
    for (const std::string& topic : retainedOrder)
        publishRetained(topic);
    for (const std::string& topic : c.subscriptions)
        mosquitto_subscribe(mosq, nullptr, topic.c_str(), 1);
    publishEvents();
    owner.m_up = true;
    owner.report(Link::Up, {});
}

// The connection is gone: nothing is in flight any more.
void LabClient::Session::forget()
{
    for (Outgoing& e : events)
        e.mid = 0;
    sent = 0;
    connected = false;
    accepted = false;
    owner.m_up = false;
    if (mosq)
        mosquitto_destroy(mosq);
    mosq = nullptr;
}

std::string LabClient::Session::open()
{
    const LabClientConfig& c = owner.m_config;
    refusal.clear();
    mosq = mosquitto_new(c.clientId.empty() ? nullptr : c.clientId.c_str(), true, this);
    if (!mosq)
        return "out of memory";
    mosquitto_int_option(mosq, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V311);
    mosquitto_connect_callback_set(mosq, onConnect);
    mosquitto_publish_callback_set(mosq, onPublish);
    mosquitto_message_callback_set(mosq, onMessage);
    mosquitto_log_callback_set(mosq, onLog);
    mosquitto_will_set(mosq, c.statusTopic.c_str(), 7, "offline", 1, true);
    if (!c.user.empty())
        mosquitto_username_pw_set(mosq, c.user.c_str(), c.password.empty() ? nullptr : c.password.c_str());
    if (!c.tls)
        return {};
    const auto file = [](const std::string& name) { return name.empty() ? nullptr : name.c_str(); };
    // With no CA file of its own the link trusts what the system trusts. The
    // peer's certificate and name are always checked.
    if (c.caFile.empty())
        mosquitto_int_option(mosq, MOSQ_OPT_TLS_USE_OS_CERTS, 1);
    if (mosquitto_tls_set(mosq, file(c.caFile), c.caFile.empty() ? "/etc/ssl/certs" : nullptr,
            file(c.certFile), file(c.keyFile), nullptr)
        != MOSQ_ERR_SUCCESS)
        return "certificate or key file cannot be read";
    mosquitto_tls_opts_set(mosq, 1, nullptr, nullptr);
    mosquitto_tls_insecure_set(mosq, false);
    return {};
}

std::string LabClient::Session::serve()
{
    const LabClientConfig& c = owner.m_config;
    const int rc = mosquitto_connect_async(mosq, c.host.c_str(), c.port, c.keepAlive);
    if (rc != MOSQ_ERR_SUCCESS)
        return failed(rc);
    // A broker that takes the connection but never answers is given up on.
    const auto deadline = Clock::now() + std::chrono::seconds(std::max(c.keepAlive, 10));
    for (;;) {
        if (owner.drain(*this)) {
            goodbye();
            return {};
        }
        const int loop = mosquitto_loop(mosq, 50, 1);
        if (loop != MOSQ_ERR_SUCCESS)
            return failed(loop);
        if (std::exchange(accepted, false))
            connectedNow();
        if (!connected && Clock::now() > deadline)
            return refusal.empty() ? "no answer from the broker" : refusal;
    }
}

// A clean exit: what is queued goes out, then "offline", then DISCONNECT.
void LabClient::Session::goodbye()
{
    if (!connected)
        return;
    publishEvents();
    mosquitto_publish(mosq, &offlineMid, owner.m_config.statusTopic.c_str(), 7, "offline", 1, true);
    const auto deadline = Clock::now() + std::chrono::milliseconds(1500);
    while (Clock::now() < deadline && !(offlineAcked && events.empty())) {
        if (mosquitto_loop(mosq, 50, 1) != MOSQ_ERR_SUCCESS)
            return;
    }
    mosquitto_disconnect(mosq);
    mosquitto_loop(mosq, 50, 1);
}

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
