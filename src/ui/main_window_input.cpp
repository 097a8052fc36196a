#include "orbit/current_satellite.hpp"
#include "ui/main_window.hpp"

namespace vantrek {

Repaint KeyPressed(AppState& state, const MainWindowServices& services, int key) {
    const bool space = state.viewMode == ViewMode::Space;
    const bool sky = state.viewMode == ViewMode::Sky;
    switch (key) {
        case KeyEnter:
            state.viewMode = ViewMode::InfoPanel;
            return Repaint::ViewAreaErase;
        case KeyLeft:
            if (space) ZoomOut(state.viewMatrix);
            if (sky) RollLeft(state.viewMatrix);
            return space || sky ? Repaint::ViewArea : Repaint::None;
        case KeyRight:
            if (space) ZoomIn(state.viewMatrix);
            if (sky) RollRight(state.viewMatrix);
            return space || sky ? Repaint::ViewArea : Repaint::None;
        case KeyUp:
        case KeyDown: {
            // The working set and its frequencies are loaded even when the index stays.
            const bool moved =
                key == KeyDown
                    ? stepToNextSelected(state.catalog, services.folder, state.settings)
                    : stepToPreviousSelected(state.catalog, services.folder, state.settings);
            if (moved) state.pickLatch = 0;
            return Repaint::None;
        }
        default: return Repaint::None;
    }
}

Repaint KeyReleased(AppState&, int key) {
    return key == KeyLeft || key == KeyRight ? Repaint::ViewArea : Repaint::None;
}

Repaint LeftButtonDown(AppState& state, MousePoint point) {
    state.mouse = point;
    if (state.viewMode == ViewMode::Space) DragRotate(state.viewMatrix, state.dragReference, point);
    state.pickLatch = 0;
    return Repaint::ViewArea;
}

Repaint MouseMove(AppState& state, MousePoint point, DragButtons buttons) {
    const bool space = state.viewMode == ViewMode::Space;
    if (buttons == DragButtons::OnlyLeft) {
        state.mouse = point;
        if (!space) return Repaint::None;
        DragRotate(state.viewMatrix, state.dragReference, point);
        return Repaint::ViewArea;
    }
    if (buttons == DragButtons::OnlyRight) {
        state.mouse = point;
        if (!space) return Repaint::None;
        if (point.x >= state.rightDragX) ZoomIn(state.viewMatrix); else ZoomOut(state.viewMatrix);
        state.rightDragX = point.x;
        return Repaint::ViewArea;
    }
    return Repaint::None;
}

Repaint LeftButtonUp(AppState& state) {
    state.pickLatch = 0;
    return Repaint::Client;
}

}  // namespace vantrek
