#include "ui/views/gps_status_view.hpp"

#include "ui/main_window_paint.hpp"

namespace vantrek {

void PaintGpsStatus(AppState&, DisplayList& list, Rect client) { DrawViewNotBuiltYet(list, client); }

}  // namespace vantrek
