#include "ui/views/space_view.hpp"

#include "ui/main_window_paint.hpp"

namespace vantrek {

void drawSpaceView(AppState&, DisplayList& list, Rect client) { DrawViewNotBuiltYet(list, client); }

}  // namespace vantrek
