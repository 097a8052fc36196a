#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

#include "station/link_worker.hpp"

namespace vantrek {

// What the "Test" button found, one line for each daemon:
// "Radio at 127.0.0.1:4532: frequency 145800000 Hz",
// "Rotator at 127.0.0.1:4533: azimuth 12.00, elevation 3.50",
// or the reason it found nothing.
struct StationProbeReport {
    std::string radio;
    std::string rotator;
};

// Connects to rigctld at `radio` and reads its frequency, then to rotctld at
// `rotator` and reads its position (whether or not they are enabled). Waits
// at most the answer time-out for each; a cancel ends it within a slice.
StationProbeReport ProbeStation(const LinkEndpoint& radio, const LinkEndpoint& rotator,
                                const std::atomic<bool>* cancel, const StreamMaker& makeStream);

// One probe at a time on a thread of its own, so that the dialog stays
// responsive: started by "Test", polled until finished, then taken.
struct StationProbe {
    StationProbe() = default;
    ~StationProbe();  // cancels a running probe and waits for it (one wait slice)
    StationProbe(const StationProbe&) = delete;
    StationProbe& operator=(const StationProbe&) = delete;

    std::thread thread;
    std::atomic<bool> cancel{false};
    std::atomic<bool> done{false};
    StationProbeReport report;  // the thread's alone until done
};

// False (and nothing started) while a probe runs. Without a thread to be had
// the probe runs here and is finished on return.
bool StartStationProbe(StationProbe& probe, const LinkEndpoint& radio, const LinkEndpoint& rotator);
bool StationProbeRunning(const StationProbe& probe);
bool StationProbeFinished(const StationProbe& probe);
// Waits for the thread and returns its report.
StationProbeReport TakeStationProbe(StationProbe& probe);

}  // namespace vantrek
