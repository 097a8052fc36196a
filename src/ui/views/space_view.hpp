#pragma once

#include "ui/app_state.hpp"
#include "ui/display_list.hpp"

namespace vantrek {

// The space view: the Earth, the satellites, Sun, Moon and planets seen from a turnable viewpoint.
void drawSpaceView(AppState& state, DisplayList& list, Rect client);

}  // namespace vantrek
