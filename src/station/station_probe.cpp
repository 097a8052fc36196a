#include "station/station_probe.hpp"

#include <cstdio>
#include <system_error>

#include "station/hamlib_protocol.hpp"
#include "station/link_texts.hpp"

namespace vantrek {

namespace {

std::string Report(const char* device, const LinkEndpoint& endpoint, const std::string& found) {
    return LinkErrorMessage(device, endpoint.host, endpoint.port, found);
}

std::string ProbeRadio(const LinkEndpoint& endpoint, const std::atomic<bool>* cancel, const StreamMaker& make) {
    HamlibConnection link;
    link.stream = make(cancel);
    int report = 0;
    LinkError error = OpenHamlib(link, endpoint.host, endpoint.port);
    int64_t hz = 0;
    if (error == LinkError::None) error = ReadFrequency(link, hz, report);
    CloseHamlib(link);
    if (error != LinkError::None) return Report(kRadioName, endpoint, LinkErrorText(error, report));
    return Report(kRadioName, endpoint, "frequency " + std::to_string(hz) + " Hz");
}

std::string ProbeRotator(const LinkEndpoint& endpoint, const std::atomic<bool>* cancel, const StreamMaker& make) {
    HamlibConnection link;
    link.stream = make(cancel);
    int report = 0;
    LinkError error = OpenHamlib(link, endpoint.host, endpoint.port);
    double az = 0.0, el = 0.0;
    if (error == LinkError::None) error = ReadPosition(link, az, el, report);
    CloseHamlib(link);
    if (error != LinkError::None) return Report(kRotatorName, endpoint, LinkErrorText(error, report));
    char text[96];
    std::snprintf(text, sizeof text, "azimuth %.2f, elevation %.2f", az, el);
    return Report(kRotatorName, endpoint, text);
}

}  // namespace

StationProbeReport ProbeStation(const LinkEndpoint& radio, const LinkEndpoint& rotator,
                                const std::atomic<bool>* cancel, const StreamMaker& makeStream) {
    StationProbeReport report;
    report.radio = ProbeRadio(radio, cancel, makeStream);
    report.rotator = ProbeRotator(rotator, cancel, makeStream);
    return report;
}

StationProbe::~StationProbe() {
    cancel = true;
    if (thread.joinable()) thread.join();
}

bool StartStationProbe(StationProbe& probe, const LinkEndpoint& radio, const LinkEndpoint& rotator) {
    if (StationProbeRunning(probe)) return false;
    if (probe.thread.joinable()) probe.thread.join();
    probe.cancel = false;
    probe.done = false;
    const auto work = [&probe, radio, rotator] {
        probe.report = ProbeStation(radio, rotator, &probe.cancel, TcpStreamMaker());
        probe.done.store(true, std::memory_order_release);
    };
    try {
        probe.thread = std::thread(work);
    } catch (const std::system_error&) {
        work();
    }
    return true;
}

bool StationProbeRunning(const StationProbe& probe) {
    return probe.thread.joinable() && !probe.done.load(std::memory_order_acquire);
}

bool StationProbeFinished(const StationProbe& probe) { return probe.done.load(std::memory_order_acquire); }

StationProbeReport TakeStationProbe(StationProbe& probe) {
    if (probe.thread.joinable()) probe.thread.join();
    return probe.report;
}

}  // namespace vantrek
