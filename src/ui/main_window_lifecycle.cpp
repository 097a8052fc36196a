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

void Tick(AppState& state, const MainWindowServices& services, double systemJulianDate) {
    pending::GpsGiveUpCheck(state, services);
    AdvanceClock(state.clock, systemJulianDate);
    if (state.viewMode == ViewMode::Sky) pending::AutoCompass(state);
    if (state.viewMode == ViewMode::Space) pending::TakeSpaceViewSnapshot(state);
    state.tickCounter = static_cast<int16_t>(state.tickCounter >= 4 || state.tickCounter < 0
                                                 ? 0
                                                 : state.tickCounter + 1);
}

void CloseMainWindow(AppState& state) { pending::StopGpsReader(state); }

}  // namespace vantrek
