#include "ui/main_window_paint.hpp"

#include <algorithm>

#include "ui/main_window.hpp"
#include "ui/views/gps_status_view.hpp"
#include "ui/views/info_panel.hpp"
#include "ui/views/map_view.hpp"
#include "ui/views/sky_view.hpp"
#include "ui/views/space_view.hpp"

namespace vantrek {

Rect ViewArea(Rect client) {
    client.top += kToolbarHeight;
    client.bottom -= kStatusBarHeight;
    return client;
}

SurfaceSize SurfaceSizeFor(Rect client) {
    SurfaceSize size;
    size.width = std::max(size.width, client.right);
    size.height = std::max(size.height, client.bottom);
    return size;
}

void DrawViewNotBuiltYet(DisplayList& list, Rect client) {
    FillRect(list, client, BrushFor(BrushId::Black));
}

void PaintView(AppState& state, DisplayList& list, Rect client, SystemClock& clock) {
    list.target = Surface::BackBuffer;
    const SurfaceSize surface = SurfaceSizeFor(client);
    list.surfaceWidth = surface.width;
    list.surfaceHeight = surface.height;
    TakeObserverFromGps(state);
    switch (state.viewMode) {
        case ViewMode::Space: drawSpaceView(state, list, client); break;
        case ViewMode::Map: drawMapView(state, list, client); break;
        case ViewMode::Sky: DrawSkyView(state, list, client); break;
        case ViewMode::InfoPanel: PaintInfoPanel(state, list, client); break;
        case ViewMode::GpsStatus: PaintGpsStatus(state, list, client, clock.utcTime()); break;
        default: DrawViewNotBuiltYet(list, client); break;
    }
}

void PaintView(AppState& state, DisplayList& list, Rect client) {
    PosixSystemClock clock;
    PaintView(state, list, client, clock);
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
    facts.stationText = StationStatusText(state.settings, state.station.status);
    return facts;
}

}  // namespace vantrek
