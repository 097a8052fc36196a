#include "station/link_worker.hpp"

#include <chrono>
#include <system_error>

#include "platform/tcp_stream.hpp"
#include "platform/thread_priority.hpp"
#include "station/link_sessions.hpp"
#include "station/link_texts.hpp"

namespace vantrek {

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kWakeEvery = std::chrono::milliseconds(100);

// One daemon as the thread sees it.
template <typename Session>
struct Device {
    const char* name = "";
    Session session;
    LinkEndpoint endpoint;     // the one connected to or tried
    Clock::time_point nextAttempt{};
    Clock::time_point lastPoll{};
    LinkStatus status;
    bool armed = true;         // the next connection error is told to the user
    bool refusalTold = false;  // a refusal on this connection has been told
};

template <typename Session>
void Tell(Device<Session>& device, const std::string& error) {
    ++device.status.episode;
    device.status.episodeText = LinkErrorMessage(device.name, device.endpoint.host, device.endpoint.port, error);
}

template <typename Session>
void Failed(Device<Session>& device, LinkError error, int report) {
    if (error == LinkError::Cancelled) return;  // closing: nobody to tell
    const std::string text = LinkErrorText(error, report);
    device.status.error = text;
    if (error == LinkError::DaemonRefused) {
        if (!device.refusalTold) Tell(device, text);
        device.refusalTold = true;
        return;
    }
    CloseHamlib(device.session.link);
    device.status.state = LinkState::NotConnected;
    device.nextAttempt = Clock::now() + std::chrono::seconds(kReconnectSeconds);
    if (device.armed) Tell(device, text);
    device.armed = false;
}

// Connects when due, then carries out the target and reads the daemon now
// and then. `turn`, `poll` and `start` are the session's own.
template <typename Session, typename Target, typename Turn, typename Poll, typename Start>
void Serve(Device<Session>& device, const LinkEndpoint& wanted, const Target& target, Target& done, Turn turn,
           Poll poll, Start start) {
    HamlibConnection& link = device.session.link;
    if (!wanted.enabled) {
        CloseHamlib(link);
        device.endpoint = wanted;
        device.status.state = LinkState::Off;
        device.status.error.clear();
        device.armed = true;
        return;
    }
    const Clock::time_point now = Clock::now();
    if (wanted != device.endpoint) {
        CloseHamlib(link);
        device.endpoint = wanted;
        device.nextAttempt = now;
        device.armed = true;
        device.status.error.clear();
    }
    if (!HamlibOpen(link)) {
        device.status.state = LinkState::NotConnected;
        if (now < device.nextAttempt) return;
        device.nextAttempt = now + std::chrono::seconds(kReconnectSeconds);
        const LinkError error = OpenHamlib(link, wanted.host, wanted.port);
        if (error != LinkError::None) {
            Failed(device, error, 0);
            return;
        }
        start(device.session);
        device.status.state = LinkState::Connected;
        device.status.error.clear();
        device.armed = true;
        device.refusalTold = false;
        device.lastPoll = Clock::time_point{};
    }
    LinkError error = turn(device.session, target);
    if (error == LinkError::None) {
        done = target;
        if (Clock::now() - device.lastPoll >= std::chrono::seconds(kPollSeconds)) {
            device.lastPoll = Clock::now();
            error = poll(device.session);
        }
    }
    if (error != LinkError::None) Failed(device, error, device.session.report);
}

void LinkThread(std::shared_ptr<StationLinkShared> shared, StreamMaker makeStream) {
    // Woken on every tick, it must not take the processor from the interface.
    LowerCurrentThreadPriority();
    Device<RadioSession> radio;
    radio.name = kRadioName;
    radio.session.link.stream = makeStream(&shared->stop);
    Device<RotatorSession> rotator;
    rotator.name = kRotatorName;
    rotator.session.link.stream = makeStream(&shared->stop);
    RadioTarget radioDone;
    RotatorTarget rotatorDone;

    uint64_t seen = 0;
    for (;;) {
        StationRequest request;
        {
            std::unique_lock<std::mutex> lock(shared->mutex);
            shared->wake.wait_for(lock, kWakeEvery,
                                  [&] { return shared->stop.load() || shared->requestSerial != seen; });
            if (shared->stop) break;
            request = shared->request;
            seen = shared->requestSerial;
        }
        Serve(radio, request.radio, request.radioTarget, radioDone, RadioTurn, PollRadio, StartRadioSession);
        Serve(rotator, request.rotator, request.rotatorTarget, rotatorDone, RotatorTurn, PollRotator,
              StartRotatorSession);

        std::lock_guard<std::mutex> lock(shared->mutex);
        StationStatus& status = shared->status;
        status.radio = radio.status;
        status.rotator = rotator.status;
        status.offsetHz = radio.session.offsetHz;
        status.frequencyKnown = radio.session.frequencyKnown;
        status.frequencyHz = radio.session.frequencyHz;
        status.positionKnown = rotator.session.positionKnown;
        status.azimuthDeg = rotator.session.readAzimuthDeg;
        status.elevationDeg = rotator.session.readElevationDeg;
        status.radioDone = radioDone;
        status.rotatorDone = rotatorDone;
    }
    // Closing: nothing more is sent, nothing is parked.
    CloseHamlib(radio.session.link);
    CloseHamlib(rotator.session.link);
    std::lock_guard<std::mutex> lock(shared->mutex);
    shared->finished = true;
    shared->finishedWake.notify_all();
}

}  // namespace

bool operator==(const LinkEndpoint& a, const LinkEndpoint& b) {
    return a.enabled == b.enabled && a.host == b.host && a.port == b.port;
}

StreamMaker TcpStreamMaker() {
    return [](const std::atomic<bool>* cancel) -> std::unique_ptr<ByteStream> {
        return std::make_unique<TcpStream>(kAnswerTimeMs, cancel);
    };
}

StationLink::StationLink() : makeStream(TcpStreamMaker()) {}

StationLink::~StationLink() { StopStationLink(*this); }

namespace {

// Hands a pending request over if the lock is free at once.
void FlushPending(StationLink& link) {
    if (!link.pendingSet) return;
    std::unique_lock<std::mutex> lock(link.shared->mutex, std::try_to_lock);
    if (!lock.owns_lock()) return;
    link.shared->request = link.pending;
    ++link.shared->requestSerial;
    link.pendingSet = false;
    lock.unlock();
    link.shared->wake.notify_one();
}

}  // namespace

bool HandStationRequest(StationLink& link, const StationRequest& request) {
    link.pending = request;
    link.pendingSet = true;
    FlushPending(link);
    const bool wanted = request.radio.enabled || request.rotator.enabled;
    if (!wanted || link.thread.joinable() || link.shared->stop) return true;
    try {
        link.thread = std::thread(LinkThread, link.shared, link.makeStream);
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

StationStatus StationStatusOf(StationLink& link) {
    FlushPending(link);
    std::unique_lock<std::mutex> lock(link.shared->mutex, std::try_to_lock);
    if (lock.owns_lock()) link.lastStatus = link.shared->status;
    return link.lastStatus;
}

void StopStationLink(StationLink& link) {
    link.shared->stop = true;
    link.shared->wake.notify_all();
    if (!link.thread.joinable()) return;
    bool finished = false;
    {
        std::unique_lock<std::mutex> lock(link.shared->mutex);
        finished = link.shared->finishedWake.wait_for(lock, std::chrono::milliseconds(kLinkStopMs),
                                                      [&] { return link.shared->finished; });
    }
    if (finished) {
        link.thread.join();
    } else {
        link.thread.detach();
    }
}

}  // namespace vantrek
