#pragma once

// The busiest sky the program is built for: 400 shown sets, show all paths
// on, stars to magnitude 5 at night (header only).
#include <memory>

#include "astro/julian_date.hpp"
#include "orbit/catalog_loading.hpp"
#include "ui/app_state.hpp"
#include "ui/main_window.hpp"

#include "synthetic_catalog.hpp"

namespace vantrek::testing {

// The start-up observer (54.3 N) an hour after midnight in June: night.
inline std::unique_ptr<AppState> BusySkyState() {
    auto state = std::make_unique<AppState>();
    StartUpDefaults(*state);
    state->catalog = *SyntheticCatalog();
    loadWorkingElementSet(state->catalog, 0, state->catalog.currentSet);
    state->settings.showAllPaths = 1;
    state->settings.Stars_Mag = 5;
    state->viewMode = ViewMode::Sky;
    state->clock.mode = ClockMode::Stopped;
    state->clock.pausedDate = state->clock.currentDate = JulianDateFromEpoch(kSyntheticEpoch);
    return state;
}

// A whole "active" download shown in `mode`: `count` sets like today's, all
// shown, set 7 current with only its path drawn.
inline std::unique_ptr<AppState> ActiveSkyState(int count, ViewMode mode) {
    auto state = BusySkyState();
    state->catalog = *ActiveLikeCatalog(count);
    state->catalog.current = 7;
    loadWorkingElementSet(state->catalog, 7, state->catalog.currentSet);
    state->settings.showAllPaths = 0;
    state->viewMode = mode;
    return state;
}

}  // namespace vantrek::testing
