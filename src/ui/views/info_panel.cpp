#include "ui/views/info_panel.hpp"

#include "ui/main_window_paint.hpp"

namespace vantrek {

void PaintInfoPanel(AppState&, DisplayList& list, Rect client) { DrawViewNotBuiltYet(list, client); }

}  // namespace vantrek
