#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "platform/byte_stream.hpp"
#include "station/station_targets.hpp"

namespace vantrek {

// A failed connection is tried again after this long (s).
constexpr int kReconnectSeconds = 5;
// A connected daemon is read this often while there is nothing to send (s).
constexpr int kPollSeconds = 1;
// Closing waits at most this long for the link to end (ms).
constexpr int kLinkStopMs = 1000;

// Where one daemon listens, and whether it is to be used.
struct LinkEndpoint {
    bool enabled = false;
    std::string host;
    uint16_t port = 0;
};

bool operator==(const LinkEndpoint& a, const LinkEndpoint& b);
inline bool operator!=(const LinkEndpoint& a, const LinkEndpoint& b) { return !(a == b); }

// What the interface hands the link on every tick: the latest word on both
// daemons and what they are to do.
struct StationRequest {
    LinkEndpoint radio;
    LinkEndpoint rotator;
    RadioTarget radioTarget;
    RotatorTarget rotatorTarget;
};

enum class LinkState : uint8_t { Off, NotConnected, Connected };

struct LinkStatus {
    LinkState state = LinkState::Off;
    std::string error;         // the last error; cleared by a good connection
    uint32_t episode = 0;      // grows with every error the user is to be told of, once
    std::string episodeText;   // that error's message
};

// What the interface reads back.
struct StationStatus {
    LinkStatus radio;
    LinkStatus rotator;
    int64_t offsetHz = 0;           // the operator's tuning, carried through the pass
    bool frequencyKnown = false;
    int64_t frequencyHz = 0;        // the radio's frequency as last read
    bool positionKnown = false;
    double azimuthDeg = 0.0;        // the rotator's position as last read
    double elevationDeg = 0.0;
    RadioTarget radioDone;          // the targets last carried out without error
    RotatorTarget rotatorDone;
};

// Makes the stream of one connection; its waits end when `cancel` turns true.
using StreamMaker = std::function<std::unique_ptr<ByteStream>(const std::atomic<bool>* cancel)>;

// TCP streams whose waits last at most the daemons' answer time.
StreamMaker TcpStreamMaker();

// What the link thread and the interface share, under the mutex; the stop
// flag alone is atomic. Held by both sides, so that a thread caught in a
// host-name look-up at closing can be let go without leaving it a dangling record.
struct StationLinkShared {
    std::mutex mutex;
    std::condition_variable wake;
    StationRequest request;
    uint64_t requestSerial = 0;
    StationStatus status;
    std::atomic<bool> stop{false};
    bool finished = false;
    std::condition_variable finishedWake;
};

// The thread that owns the connections to rigctld and rotctld. The interface
// thread never waits on the network, nor on the thread: it hands over its
// request and reads the status only when the lock is free at once (the link
// holds it only to copy); otherwise the request waits in `pending` for the
// next call and the status read last stands.
struct StationLink {
    StationLink();
    ~StationLink();  // stops a running thread (StopStationLink)
    StationLink(const StationLink&) = delete;
    StationLink& operator=(const StationLink&) = delete;

    std::shared_ptr<StationLinkShared> shared = std::make_shared<StationLinkShared>();
    std::thread thread;
    StreamMaker makeStream;  // TCP streams with the answer time-out unless replaced
    // The interface thread's own:
    StationRequest pending;
    bool pendingSet = false;
    StationStatus lastStatus;
};

// Hands the latest request to the link (now, or at the next call when the
// lock is busy); the thread is started the first time a daemon is enabled.
// False when a thread was needed and could not be made.
bool HandStationRequest(StationLink& link, const StationRequest& request);

// The link's status as it stands, or as last read when the lock is busy; a
// request still pending is handed over first.
StationStatus StationStatusOf(StationLink& link);

// Stops sending, closes the connections and ends the thread, within
// kLinkStopMs; nothing is parked. A thread still caught in a host-name look-up
// then is let go and ends on its own.
void StopStationLink(StationLink& link);

}  // namespace vantrek
