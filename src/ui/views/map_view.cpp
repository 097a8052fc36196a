#include "ui/views/map_view.hpp"

#include "ui/main_window_paint.hpp"

namespace vantrek {

void drawMapView(AppState&, DisplayList& list, Rect client) { DrawViewNotBuiltYet(list, client); }

}  // namespace vantrek
