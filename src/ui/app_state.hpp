#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "astro/observer.hpp"
#include "data/download_history.hpp"
#include "data/settings.hpp"
#include "gps/gps_fix.hpp"
#include "observe/pass_details.hpp"
#include "observe/prediction_results.hpp"
#include "orbit/element_set.hpp"
#include "orbit/propagator_state.hpp"
#include "ui/globe_grid.hpp"
#include "ui/simulation_clock.hpp"
#include "ui/space_view_snapshot.hpp"
#include "ui/station_tick.hpp"
#include "ui/view_matrix.hpp"
#include "ui/view_mode.hpp"
#include "ui/views/info_panel_memory.hpp"
#include "ui/views/map_tracks.hpp"
#include "ui/views/space_view_memory.hpp"

namespace vantrek {

// The main window's record: which view is shown, the clock, the observer,
// the catalogue and the few pieces of interaction state the views share.
// One lives for the whole program; tests make fresh ones (it holds the
// ~100 KB catalogue, so put it on the heap: std::make_unique<AppState>()).
struct AppState {
    ViewMode viewMode = ViewMode::InfoPanel;
    SimulationClock clock;
    double localTimeOffset = 0.0;  // days, whole hours: local time minus UTC

    Settings settings;             // the persisted options and the memory-only switches
    Observer observer;             // 54.3023 N, 10.1247 E, 0.03 km until the settings load

    SatelliteCatalog catalog;      // count, selected, current, currentSet
    PropagatorState model;         // the orbit models' state, shared by the views as they draw
    GpsFix gps;                    // shared with the GPS reader thread
    // What the space view draws, taken on every tick in that view (about 0.5 MB).
    std::unique_ptr<SpaceViewSnapshot> spaceSnapshot = std::make_unique<SpaceViewSnapshot>();
    GlobeGrid globeGrid;           // the Earth's outline in the space view, built at start-up
    SpaceViewMemory spaceView;     // the speed of the previous space view paint
    int32_t iridiumCatalogue = 0;  // the loaded file is an Iridium file
    int32_t pickLatch = 0;         // a click has already picked a satellite

    MousePoint mouse;              // last mouse position, client pixels
    int32_t rightDragX = 0;        // x of the previous right-button drag event
    MousePoint dragReference;      // point of the previous DragRotate
    ViewMatrix viewMatrix;
    ViewMatrix signalMapMatrix;    // fixed identity for the GPS signal map

    int16_t tickCounter = 0;       // 0..4, blinks the GPS icon
    std::string fileDisplayName;   // base name of the loaded element-set file

    // "GPS signal map" of the GPS settings dialog; kept in memory only.
    int32_t signalMap = 0;

    int32_t timerPeriodMs = 500;   // 50 after Alt+f, 1000 after Alt+g

    DownloadHistory downloads;     // groups asked for, so none is asked for again too soon
    InfoPanelMemory infoPanel;     // the flare magnitude, state line and time average it keeps
    MapTrackCache mapTracks;       // the map's ground tracks, kept from one frame to the next

    // The rows of the last pass search, listed again when the Predict window reopens.
    PredictionResults predictions;

    // The radio and rotator: the tracker's memory and the link's status.
    StationMemory station;

    // How old the element sets in view are (StaleElementDays), worked out on
    // every tick; -1 while they are fresh. The window warns while it is not -1.
    int32_t staleElementDays = -1;

    // The pass of each of those rows (PassDetailsOfRow pairs them), worked out after the search.
    std::vector<PassDetails> passDetails;
};

}  // namespace vantrek
