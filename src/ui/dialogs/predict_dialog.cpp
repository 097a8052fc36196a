#include "ui/dialogs/predict_dialog.hpp"

#include <algorithm>
#include <cmath>

#include "astro/constants.hpp"
#include "astro/julian_date.hpp"
#include "observe/pass_search_settings.hpp"
#include "orbit/catalog_loading.hpp"
#include "orbit/current_satellite.hpp"
#include "ui/dialog_numbers.hpp"

namespace vantrek {

namespace {

constexpr int kHoursOnOpening = 24;

// The pickers offer 1583-01-01 00:00:00 to 3000-12-31 23:59:59 only.
void keepWithinPicker(PredictForm& form) {
    if (form.year < kEarliestPredictYear) {
        form.year = kEarliestPredictYear;
        form.month = form.day = 1;
        form.hour = form.minute = form.second = 0;
    } else if (form.year > kLatestPredictYear) {
        form.year = kLatestPredictYear;
        form.month = 12;
        form.day = 31;
        form.hour = 23;
        form.minute = form.second = 59;
    }
}

}  // namespace

void openPredictDialog(PredictForm& form, const AppState& state, double systemJulianDate) {
    const double now = std::isfinite(state.clock.currentDate) && state.clock.currentDate > 0.0
                           ? state.clock.currentDate
                           : systemJulianDate;
    const CalendarInstant local = CalendarInstantFromJulian(now + state.localTimeOffset);
    form = PredictForm();
    form.year = local.year;
    form.month = local.month;
    form.day = local.day;
    form.hour = local.hour;
    form.minute = local.minute;
    form.second = local.second;
    keepWithinPicker(form);
    form.hours = std::to_string(kHoursOnOpening);
    const Settings& settings = state.settings;
    form.satelliteElevation = writeDialogNumber(settings.Sat_ele / kDegree);
    form.sunElevation = writeDialogNumber(settings.Sun_ele / kDegree);
    form.iridiumFlares = settings.flares == 1;
    form.magnitudeFilter = settings.SatPredictVisible == 1;
    form.minimumMagnitude = std::to_string(settings.SatPredictMag);
    listPredictionRows(form, state, false);
}

PassSearchOptions predictSearchOptions(const PredictForm& form, const AppState& state) {
    PredictForm period = form;
    keepWithinPicker(period);
    // A month or day the picker cannot give would have no Julian date.
    const double localStart =
        JulianDateFromCalendar(period.year, std::clamp(period.month, 1, 12),
                               std::clamp(period.day, 1, 31), period.hour, period.minute,
                               period.second, 0);
    PassSearchOptions options = PassSearchOptionsFromSettings(
        state.settings, localStart - state.localTimeOffset, readDialogNumber(form.hours));
    options.flareMode = form.iridiumFlares ? 1 : 0;
    options.magnitudeFilter = form.magnitudeFilter ? 1 : 0;
    options.minimumMagnitude = readDialogNumber(form.minimumMagnitude);
    options.limits.satelliteElevation = readDialogNumber(form.satelliteElevation) * kDegree;
    options.limits.sunElevation = readDialogNumber(form.sunElevation) * kDegree;
    options.maxRows = kPredictionRowLimit;
    return CheckedPassSearchOptions(options);
}

void listPredictionRows(PredictForm& form, const AppState& state, bool insertedBySearch) {
    const PredictionResults& results = state.predictions;
    const int count = std::clamp(results.count, 0, static_cast<int>(results.rows.size()));
    form.rows.clear();
    form.rows.reserve(static_cast<std::size_t>(count));
    for (int position = 0; position < count; ++position) {
        const PredictionRow& row = results.rows[static_cast<std::size_t>(count - 1 - position)];
        const bool known = row.satelliteIndex >= 0 && row.satelliteIndex < loadedSatelliteCount(state.catalog);
        const char* name = known ? state.catalog.entries[static_cast<std::size_t>(row.satelliteIndex)].name : "";
        form.rows.push_back(FormatPredictionRow(row, name, state.localTimeOffset, insertedBySearch));
    }
}

bool choosePredictionRows(const std::vector<int>& listPositions, AppState& state) {
    bool applied = false;
    for (const int position : listPositions) {
        const int stored = PredictionRowAtListPosition(state.predictions, position);
        if (stored < 0) continue;
        const PredictionRow& row = state.predictions.rows[stored];
        // The catalogue may have been replaced since the search.
        if (row.satelliteIndex < 0 || row.satelliteIndex >= loadedSatelliteCount(state.catalog) ||
            !std::isfinite(row.time)) {
            continue;
        }
        state.catalog.current = row.satelliteIndex;
        state.clock.mode = ClockMode::Stopped;
        state.clock.pausedDate = row.time;
        state.clock.currentDate = row.time;  // the views show it before the next tick
        loadWorkingElementSet(state.catalog, row.satelliteIndex, state.catalog.currentSet);
        applied = true;
    }
    return applied;
}

void acceptPredictDialog(const PredictForm& form, const std::vector<int>& listPositions,
                         AppState& state, SettingsStore& store) {
    const PassSearchOptions options = predictSearchOptions(form, state);
    Settings& settings = state.settings;
    settings.flares = options.flareMode;
    settings.SatPredictVisible = options.magnitudeFilter;
    // OK takes the magnitude as typed (only "Predict" replaces one above 20).
    const double magnitude = readDialogNumber(form.minimumMagnitude);
    if (std::isfinite(magnitude))
        settings.SatPredictMag = static_cast<int32_t>(std::clamp(magnitude, -2.0e9, 2.0e9));
    StoreSearchLimits(options, settings);
    StoreOptions(store, settings, state.catalog.current);
    choosePredictionRows(listPositions, state);
}

}  // namespace vantrek
