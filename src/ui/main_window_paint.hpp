#pragma once

#include "platform/system_clock.hpp"
#include "ui/app_state.hpp"
#include "ui/display_list.hpp"
#include "ui/status_bar.hpp"

namespace vantrek {

// Height of the toolbar at the top of the client area and of the status bar
// at its bottom; the view area lies between them.
constexpr int32_t kToolbarHeight = 31;
constexpr int32_t kStatusBarHeight = 26;

// The view area of a client area.
Rect ViewArea(Rect client);

struct SurfaceSize {
    int32_t width = kSurfaceWidth;
    int32_t height = kSurfaceHeight;
};

// The back buffer and the signal map for a client area: 1800 x 900, grown to
// the client area when the window is larger, so that a big window is drawn
// whole rather than cut.
SurfaceSize SurfaceSizeFor(Rect client);

// One paint of the main window: the view of the current view mode draws into
// the back buffer (client coordinates, toolbar included), whose size the list
// takes from SurfaceSizeFor(client). The GPS status view shows the time of
// `clock` in UTC.
void PaintView(AppState& state, DisplayList& list, Rect client, SystemClock& clock);

// The same with the computer's own clock.
void PaintView(AppState& state, DisplayList& list, Rect client);

// The facts the status bar shows, taken from the program's records.
StatusBarFacts StatusBarFactsFor(const AppState& state);

// A view that is not built yet: the client area in black.
void DrawViewNotBuiltYet(DisplayList& list, Rect client);

}  // namespace vantrek
