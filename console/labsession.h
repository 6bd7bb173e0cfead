// The lab link's network thread: one connection attempt's MQTT client and
// what outlives it (the retained topics, the events not yet acknowledged).
// Only the network thread touches it. Private to labclient.cpp and
// labsession.cpp.
#pragma once

#include "labclient.h"

#include <mosquitto.h>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

struct LabOutgoing {
    std::string payload;
    int mid = 0; // 0: not handed to the broker on this connection
};

// A library error in the operator's words (English; the window translates).
std::string labErrorReason(int rc);

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
    std::deque<LabOutgoing> events;
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
            refusal = labErrorReason(rc);
        return refusal.empty() ? labErrorReason(rc) : refusal;
    }
    void keep(Item item);
    void publishRetained(const std::string& topic);
    void publishEvents();
    void acknowledged(int mid);
    void connectedNow();
    // "online" or "offline", retained.
    void publishStatus(int* mid, const char* payload);
    void incoming(const mosquitto_message* m)
    {
        const char* payload = static_cast<const char*>(m->payload);
        owner.received({ m->topic ? m->topic : "",
            payload ? std::string(payload, size_t(std::max(m->payloadlen, 0))) : std::string(), m->retain });
    }
    void forget();
};
