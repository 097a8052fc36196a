#pragma once

#include "ui/app_state.hpp"
#include "ui/display_list.hpp"

namespace vantrek {

// The GPS status view: the receiver's fix, dilution gauges and signal chart.
void PaintGpsStatus(AppState& state, DisplayList& list, Rect client);

}  // namespace vantrek
