#include "ui/views/sky_view.hpp"

#include "ui/main_window_paint.hpp"

namespace vantrek {

void DrawSkyView(AppState&, DisplayList& list, Rect client) { DrawViewNotBuiltYet(list, client); }

}  // namespace vantrek
