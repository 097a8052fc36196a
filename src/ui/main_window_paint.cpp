#include "ui/main_window_paint.hpp"

#include "ui/main_window.hpp"

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
    TakeObserverFromGps(state);
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
    facts.latitude = state.observer.latitude;
    facts.longitude = state.observer.longitude;
    facts.simpleMode = state.model.flags.simplifiedDrag != 0;
    facts.trackingEnabled = state.gps.trackingEnabled;
    const GpsFixData fix = SnapshotGpsFix(state.gps);
    facts.fixQuality = fix.fixQuality;
    facts.fixMode = fix.fixMode;
    facts.refraction = state.settings.flag_refraction;
    return facts;
}

}  // namespace vantrek
