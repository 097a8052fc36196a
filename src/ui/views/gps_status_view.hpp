#pragma once

#include "platform/system_clock.hpp"
#include "ui/app_state.hpp"
#include "ui/display_list.hpp"

namespace vantrek {

// The GPS status view: the computer's and the receiver's UTC, the fix, the
// three dilution gauges and the signal chart of the 16 in-view slots.
// `systemUtc` is the computer's clock in UTC.
void PaintGpsStatus(const AppState& state, DisplayList& list, Rect client,
                    const LocalClockTime& systemUtc);

// How many of a gauge's 20 squares are dark: square i is dark when the value
// exceeds i squared x 0.125, so the dark run grows with the square root.
int GaugeDarkSquares(double value);

}  // namespace vantrek
