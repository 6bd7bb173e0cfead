#include "labsession.h"

#include <cerrno>
#include <chrono>
#include <cstring>

namespace {

using Clock = std::chrono::steady_clock;

std::string connackReason(int rc)
{
    switch (rc) {
    case 4:
        return labreason::kWrongPassword;
    case 5: // what a broker also says to a wrong password
        return labreason::kNotAuthorised;
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

} // namespace

std::string labErrorReason(int rc)
{
    switch (rc) {
    case MOSQ_ERR_EAI:
        return labreason::kHostNotFound;
    case MOSQ_ERR_ERRNO:
        return std::strerror(errno);
    case MOSQ_ERR_KEEPALIVE:
        return labreason::kNoAnswer;
    case MOSQ_ERR_CONN_LOST:
        return labreason::kConnectionLost;
    case MOSQ_ERR_TLS:
        return labreason::kHandshake;
    default:
        return mosquitto_strerror(rc);
    }
}

namespace {

void onLog(mosquitto*, void* data, int, const char* text)
{
    auto& s = *static_cast<LabClient::Session*>(data);
    const std::string line = text ? text : "";
    if (line.find("certificate verify failed") != std::string::npos)
        s.refusal = labreason::kUntrusted;
    else if (line.find("OpenSSL Error") != std::string::npos && s.refusal.empty())
        s.refusal = labreason::kHandshake;
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
        LabOutgoing& e = events[sent];
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
    const auto it = std::find_if(events.begin(), end, [mid](const LabOutgoing& e) { return e.mid == mid; });
    if (it != end) {
        events.erase(it);
        --sent;
    }
}

void LabClient::Session::publishStatus(int* mid, const char* payload)
{
    mosquitto_publish(
        mosq, mid, owner.m_config.statusTopic.c_str(), int(std::strlen(payload)), payload, 1, true);
}

void LabClient::Session::connectedNow()
{
    connected = true;
    const LabClientConfig& c = owner.m_config;
    publishStatus(nullptr, labstatus::kOnline);
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
    for (LabOutgoing& e : events)
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
    mosquitto_will_set(
        mosq, c.statusTopic.c_str(), int(sizeof labstatus::kOffline - 1), labstatus::kOffline, 1, true);
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
        return labreason::kUnreadableFiles;
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
            return refusal.empty() ? labreason::kNoAnswer : refusal;
    }
}

// A clean exit: what is queued goes out, then "offline", then DISCONNECT.
void LabClient::Session::goodbye()
{
    if (!connected)
        return;
    publishEvents();
    publishStatus(&offlineMid, labstatus::kOffline);
    const auto deadline = Clock::now() + std::chrono::milliseconds(1500);
    while (Clock::now() < deadline && !(offlineAcked && events.empty())) {
        if (mosquitto_loop(mosq, 50, 1) != MOSQ_ERR_SUCCESS)
            return;
    }
    mosquitto_disconnect(mosq);
    mosquitto_loop(mosq, 50, 1);
}
