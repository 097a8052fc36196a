#pragma once

#include <cstdint>
#include <string>

#include "data/settings.hpp"
#include "platform/message_sink.hpp"
#include "station/link_worker.hpp"
#include "station/station_tracker.hpp"

namespace vantrek {

struct AppState;

// The station's part of the program state: what the tracker remembers, the
// link's status as last read, and the errors already told.
struct StationMemory {
    StationTracker tracker;
    StationStep step;           // the last tick's
    StationStatus status;       // the link's, as read on the last tick
    uint32_t radioEpisodeTold = 0;
    uint32_t rotatorEpisodeTold = 0;
};

// The station options of the settings, with the current satellite's links.
StationOptions StationOptionsFrom(const Settings& settings);

// The daemons the settings name.
LinkEndpoint RadioEndpointFrom(const Settings& settings);
LinkEndpoint RotatorEndpointFrom(const Settings& settings);

// Every tick: advances the tracker to the current date for the current
// satellite, hands the targets to the link and reads its status back. A new
// error of either daemon is shown once, through `messages`. Without a link, or
// with both daemons off, it only keeps the status off.
void UpdateStation(AppState& state, StationLink* link, MessageSink& messages);

// The status bar's text for the enabled daemons, such as
// "Radio: connected   Rotator: not connected (connection refused)"; empty
// when both are off.
std::string StationStatusText(const Settings& settings, const StationStatus& status);

}  // namespace vantrek
