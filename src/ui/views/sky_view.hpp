#pragma once

#include "ui/app_state.hpp"
#include "ui/display_list.hpp"

namespace vantrek {

// The sky view: the polar chart of the observer's sky with its text panel and clock box.
void DrawSkyView(AppState& state, DisplayList& list, Rect client);

}  // namespace vantrek
