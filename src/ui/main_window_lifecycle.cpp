#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "astro/constants.hpp"
#include "astro/julian_date.hpp"
#include "orbit/catalog_loading.hpp"
#include "orbit/catalogue_files.hpp"
#include "orbit/selection_file.hpp"
#include "ui/main_window.hpp"
#include "ui/stale_elements.hpp"

namespace vantrek {

namespace {

void observerFromSettings(AppState& state) {
    state.observer.latitude = state.settings.Lat;
    state.observer.longitude = state.settings.Lon;
    state.observer.height = state.settings.Alt;
}

// Drops the report of how many sets were read: on a first start the shipped
// file opens before the window shows, and a box would stand in its way.
class QuietInfoSink : public MessageSink {
public:
    explicit QuietInfoSink(MessageSink& next) : next_(next) {}
    void showMessage(const std::string& text, const std::string& caption, MessageIcon icon) override {
        if (icon != MessageIcon::None) next_.showMessage(text, caption, icon);
    }

private:
    MessageSink& next_;
};

// A first start (no last file ever stored) opens the shipped sample file as
// the Open command would, so every view has satellites at once.
void openSampleOnFirstStart(AppState& state, const MainWindowServices& services) {
    std::string path;
    if (!programFilePath(services.folder, "TLE/sample.tle", path)) return;
    std::FILE* probe = std::fopen(path.c_str(), "rb");
    if (probe == nullptr) return;
    std::fclose(probe);
    QuietInfoSink quiet(*services.messages);
    MainWindowServices quietServices = services;
    quietServices.messages = &quiet;
    OpenChosenElementFile(state, quietServices, path);
}

}  // namespace

double LocalTimeOffsetFrom(const CalendarHour& local, const CalendarHour& utc) {
    const double l = JulianDateFromCalendar(local.year, local.month, local.day, local.hour, 0, 0, 0);
    const double u = JulianDateFromCalendar(utc.year, utc.month, utc.day, utc.hour, 0, 0, 0);
    if (l == kInvalidJulianDate || u == kInvalidJulianDate) return 0.0;
    return l - u;
}

void StartUpDefaults(AppState& state) {
    buildGlobeGrid(state.globeGrid);
    loadPlaceholderElementSet(state.catalog);
    loadWorkingElementSet(state.catalog, 0, state.catalog.currentSet);
}

void StartUpLoad(AppState& state, const MainWindowServices& services, const CalendarHour& local,
                 const CalendarHour& utc) {
    std::vector<std::uint8_t> stored;
    const bool firstStart = !services.store->readValue("Last_Open", stored);
    EnsureSettingsKey(*services.store);
    LoadSettings(*services.store, state.settings);
    observerFromSettings(state);
    state.catalog.current = state.settings.Sat_Display;

    const std::string& last = state.settings.Last_Open;
    if (last.find_first_of("/\\") != std::string::npos) state.fileDisplayName = fileBaseName(last);
    reopenLastFile(state.settings, state.catalog, *services.messages, state.iridiumCatalogue);

    state.localTimeOffset = LocalTimeOffsetFrom(local, utc);
    ResetViewMatrix(state.viewMatrix);
    ResetViewMatrix(state.signalMapMatrix);
    if (firstStart) openSampleOnFirstStart(state, services);
    readSelection(services.folder, state.catalog, *services.messages);
}

void Tick(AppState& state, const MainWindowServices& services, double systemJulianDate) {
    if (TakeReaderGiveUp(state.gps))
        services.messages->showMessage(kCantConnectText, "", MessageIcon::Error);
    AdvanceClock(state.clock, systemJulianDate);
    UpdateStation(state, services.stationLink, *services.messages);
    if (state.viewMode == ViewMode::Sky)
        ApplyAutoCompass(state.viewMatrix, state.gps, state.settings.GPSCompass, state.settings.SNtoNS);
    if (state.viewMode == ViewMode::Space) {
        takeSpaceViewSnapshot(state.clock.currentDate, state.settings.Flag_planets != 0,
                              state.settings.s4_s8, state.catalog, state.observer, state.model,
                              *state.spaceSnapshot);
    }
    state.staleElementDays = StaleElementDays(state.catalog, state.clock.currentDate);
    state.tickCounter = static_cast<int16_t>(state.tickCounter >= 4 || state.tickCounter < 0
                                                 ? 0
                                                 : state.tickCounter + 1);
}

void ApplyAutoCompass(ViewMatrix& view, const GpsFix& gps, int32_t gpsCompass, int32_t snToNs) {
    if (!gpsCompass || !gps.trackingEnabled) return;
    const GpsFixData fix = SnapshotGpsFix(gps);
    if (fix.speedKmh > 1.0) SetCompassHeading(view, fix.courseDeg, snToNs);
}

void TakeObserverFromGps(AppState& state) {
    const GpsFixData fix = SnapshotGpsFix(state.gps);
    if (fix.latitudeDeg == 0.0 || fix.longitudeDeg == 0.0) return;
    if (!std::isfinite(fix.latitudeDeg) || !std::isfinite(fix.longitudeDeg)) return;
    state.settings.Lat = fix.latitudeDeg * kDegree;
    state.settings.Lon = fix.longitudeDeg * kDegree;
    if (fix.altitudeM != 0.0 && std::isfinite(fix.altitudeM)) state.settings.Alt = fix.altitudeM / 1000.0;
    observerFromSettings(state);
}

void CloseMainWindow(AppState& state, const MainWindowServices& services) {
    if (services.gpsReader) StopReader(state.gps, *services.gpsReader);
    if (services.stationLink) StopStationLink(*services.stationLink);
}

}  // namespace vantrek
