#include "ui/main_window_paint.hpp"

namespace vantrek {

Rect ViewArea(Rect client) {
    client.top += kToolbarHeight;
    client.bottom -= kStatusBarHeight;
    return client;
}

void DrawViewNotBuiltYet(DisplayList& list, Rect client) {
    FillRect(list, client, BrushFor(BrushId::Black));
}

void PaintView(AppState& state, DisplayList& list, Rect client) {
    list.target = Surface::BackBuffer;
    // The GPS position replaces the observer here once the fix record is wired in.
    switch (state.viewMode) {
        case ViewMode::Space:      // the space view plugs in here
        case ViewMode::Map:        // the map view plugs in here
        case ViewMode::Sky:        // the sky view plugs in here
        case ViewMode::InfoPanel:  // the information panel plugs in here
        case ViewMode::GpsStatus:  // the GPS status view plugs in here
        default: DrawViewNotBuiltYet(list, client); break;
    }
}

StatusBarFacts StatusBarFactsFor(const AppState& state) {
    StatusBarFacts facts;
    facts.fileDisplayName = state.fileDisplayName;
    facts.count = state.catalog.count;
    facts.latitude = state.observerLatitude;
    facts.longitude = state.observerLongitude;
    // Refraction, simple mode and the GPS state come from the settings, the
    // near-Earth model and the fix record once they are wired in.
    return facts;
}

}  // namespace vantrek
