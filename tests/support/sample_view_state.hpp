#pragma once

// A program state over the sample file for the view tests, and text lookup
// in what a view drew.
#include <memory>
#include <string>

#include "orbit/catalog_loading.hpp"
#include "sample_sets.hpp"
#include "ui/display_list.hpp"
#include "ui/main_window.hpp"

namespace vantrek::testing {

// `current` loaded as the working set, the clock stopped at `jd`, `view` shown.
inline std::unique_ptr<AppState> SampleViewState(ViewMode view, int current, double jd) {
    auto state = std::make_unique<AppState>();
    StartUpDefaults(*state);
    const std::string text = SampleSets();
    loadElementSets(state->catalog, text.data(), static_cast<long>(text.size()));
    state->catalog.current = current;
    loadWorkingElementSet(state->catalog, current, state->catalog.currentSet);
    state->clock.mode = ClockMode::Stopped;
    state->clock.currentDate = state->clock.pausedDate = jd;
    state->viewMode = view;
    return state;
}

// The first text drawn that starts with `prefix`, or nullptr.
inline const DrawCommand* TextStarting(const DisplayList& list, const std::string& prefix) {
    for (const DrawCommand* c : TextCommands(list))
        if (c->text.compare(0, prefix.size(), prefix) == 0) return c;
    return nullptr;
}

}  // namespace vantrek::testing
