#pragma once

#include "ui/app_state.hpp"
#include "ui/display_list.hpp"

namespace vantrek {

// The information panel: a page of numbers on the current satellite.
void PaintInfoPanel(AppState& state, DisplayList& list, Rect client);

}  // namespace vantrek
