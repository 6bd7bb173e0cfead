// The lab link's network side: one thread of its own runs the MQTT client
// (name lookup, connect, TLS, reading and writing), so the window never waits
// on the network. The window hands it state and events and takes back what
// the broker said. It reconnects by itself with growing pauses, sends every
// retained state again at each connect, and keeps events in order while the
// broker is away, up to a limit. Plain C++, no Qt.
#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// The status topic's payloads.
namespace labstatus {
inline constexpr char kOnline[] = "online";
inline constexpr char kOffline[] = "offline";
} // namespace labstatus

// Why a connection was lost or refused, as reports give it (the window puts
// each in the operator's words).
namespace labreason {
inline constexpr char kWrongPassword[] = "wrong user name or password";
inline constexpr char kNotAuthorised[] = "wrong user name or password, or not authorised";
inline constexpr char kUntrusted[] = "certificate not trusted";
inline constexpr char kHandshake[] = "TLS handshake failed";
inline constexpr char kUnreadableFiles[] = "certificate or key file cannot be read";
inline constexpr char kHostNotFound[] = "host not found";
inline constexpr char kNoAnswer[] = "no answer from the broker";
inline constexpr char kConnectionLost[] = "connection lost";
} // namespace labreason

struct LabClientConfig {
    std::string host;
    int port = 1883;
    bool tls = false;
    std::string user;
    std::string password;
    std::string caFile; // "" trusts the system's certificates
    std::string certFile;
    std::string keyFile;
    int keepAlive = 30;
    std::string clientId;
    std::string statusTopic; // "online" after each connect; "offline" as the Last Will and at exit
    std::string eventsTopic;
    std::vector<std::string> subscriptions;
    // The event that says how many were dropped, as a payload.
    std::function<std::string(std::int64_t count)> droppedEvent;
};

class LabClient {
public:
    // Events kept while the broker is away; past that the oldest go.
    static constexpr std::size_t kMaxEvents = 10000;
    // Pauses between attempts grow from the first to the last.
    static constexpr int kFirstPauseMs = 500;
    static constexpr int kLastPauseMs = 10000;

    enum class Link { Up, Lost, Refused };
    struct Report {
        Link link;
        std::string reason; // for Lost and Refused, in the operator's words
    };
    struct Incoming {
        std::string topic;
        std::string payload;
        bool retained = false;
    };

    // Starts at once; `wake` is called on the network thread whenever there is
    // something to take.
    LabClient(LabClientConfig config, std::function<void()> wake);
    // Says "offline" and disconnects (at most about a second), then stops.
    ~LabClient();
    LabClient(const LabClient&) = delete;
    LabClient& operator=(const LabClient&) = delete;

    // The latest payload of a retained topic: sent now when connected, and
    // again after every connect. An empty payload removes it at the broker.
    void retain(const std::string& topic, const std::string& payload);
    // One event on the events topic, QoS 1, not retained, in order.
    void event(const std::string& payload);
    // The same, the payload made on the network thread by `make` (the
    // window's thread then only hands it over).
    void event(std::function<std::string()> make);
    // Every retained topic once more (a dashboard that restarted).
    void resendRetained();

    std::vector<Report> takeReports();
    std::vector<Incoming> takeIncoming();
    // Events not yet acknowledged by the broker.
    std::size_t pendingEvents() const { return m_pending.load(); }
    bool up() const { return m_up.load(); }

    // The pause before attempt `failures` + 1 (pure; tests).
    static int pauseMs(int failures);

    struct Session;

private:
    struct Item {
        std::string topic;
        std::string payload;
        bool retain = false;
        std::function<std::string()> make = {}; // the payload, when not given
    };
    void hand(Item item);
    void run();
    // Takes what the window handed over; true when the link is to stop.
    bool drain(Session& s);
    // Waits `ms` between attempts, still taking what comes; true when stopping.
    bool pause(int ms, Session& s);
    void received(Incoming message);
    void wakeThread();
    void report(Link link, const std::string& reason);

    LabClientConfig m_config;
    std::function<void()> m_wake;
    std::mutex m_mutex; // guards everything below it up to the thread
    std::vector<Item> m_inbox;
    bool m_resend = false;
    bool m_stopping = false;
    std::vector<Report> m_reports;
    std::vector<Incoming> m_incoming;
    std::atomic<std::size_t> m_pending { 0 };
    std::atomic<bool> m_up { false };
    int m_wakeFd = -1;
    std::thread m_thread;
};
