#pragma once

#include "ui/app_state.hpp"
#include "ui/display_list.hpp"

namespace vantrek {

// The map view: the day and night world map with the shown satellites.
void drawMapView(AppState& state, DisplayList& list, Rect client);

}  // namespace vantrek
