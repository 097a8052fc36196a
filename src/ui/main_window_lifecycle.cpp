#include <cmath>

#include "astro/constants.hpp"
#include "astro/julian_date.hpp"
#include "orbit/catalog_loading.hpp"
#include "ui/main_window.hpp"
#include "ui/pending_integration.hpp"

namespace vantrek {

double LocalTimeOffsetFrom(const CalendarHour& local, const CalendarHour& utc) {
    const double l = JulianDateFromCalendar(local.year, local.month, local.day, local.hour, 0, 0, 0);
    const double u = JulianDateFromCalendar(utc.year, utc.month, utc.day, utc.hour, 0, 0, 0);
    if (l == kInvalidJulianDate || u == kInvalidJulianDate) return 0.0;
    return l - u;
}

void StartUpDefaults(AppState& state) {
    // The globe grid of the space view is built here once that view exists.
    loadPlaceholderElementSet(state.catalog);
    loadWorkingElementSet(state.catalog, 0, state.catalog.currentSet);
}

void StartUpLoad(AppState& state, const MainWindowServices& services, const CalendarHour& local,
                 const CalendarHour& utc) {
    pending::LoadSettings(state, services);
    pending::ReopenLastFile(state, services);
    state.localTimeOffset = LocalTimeOffsetFrom(local, utc);
    ResetViewMatrix(state.viewMatrix);
    ResetViewMatrix(state.signalMapMatrix);
    pending::ReadSelection(state, services);
}

std::string Tick(AppState& state, const MainWindowServices& services, double systemJulianDate) {
    (void)services;
    std::string message;
    if (TakeReaderGiveUp(state.gps)) message = kCantConnectText;
    AdvanceClock(state.clock, systemJulianDate);
    if (state.viewMode == ViewMode::Sky)
        ApplyAutoCompass(state.viewMatrix, state.gps, pending::GpsCompassSetting(state));
    if (state.viewMode == ViewMode::Space) {
        takeSpaceViewSnapshot(state.clock.currentDate, pending::PlanetsSetting(state) != 0,
                              pending::EngineSetting(state), state.catalog, state.observer,
                              state.model, *state.spaceSnapshot);
    }
    state.tickCounter = static_cast<int16_t>(state.tickCounter >= 4 || state.tickCounter < 0
                                                 ? 0
                                                 : state.tickCounter + 1);
    return message;
}

void ApplyAutoCompass(ViewMatrix& view, const GpsFix& gps, int32_t gpsCompass) {
    if (!gpsCompass || !gps.trackingEnabled) return;
    const GpsFixData fix = SnapshotGpsFix(gps);
    if (fix.speedKmh > 1.0) SetCompassHeading(view, fix.courseDeg);
}

void TakeObserverFromGps(AppState& state) {
    const GpsFixData fix = SnapshotGpsFix(state.gps);
    if (fix.latitudeDeg == 0.0 || fix.longitudeDeg == 0.0) return;
    if (!std::isfinite(fix.latitudeDeg) || !std::isfinite(fix.longitudeDeg)) return;
    state.observer.latitude = fix.latitudeDeg * kDegree;
    state.observer.longitude = fix.longitudeDeg * kDegree;
    if (fix.altitudeM != 0.0 && std::isfinite(fix.altitudeM)) state.observer.height = fix.altitudeM / 1000.0;
}

void CloseMainWindow(AppState& state, const MainWindowServices& services) {
    if (services.gpsReader) StopReader(state.gps, *services.gpsReader);
}

}  // namespace vantrek
