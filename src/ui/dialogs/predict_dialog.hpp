#pragma once

#include <string>
#include <vector>

#include "observe/pass_search_options.hpp"
#include "observe/prediction_cells.hpp"
#include "platform/settings_store.hpp"
#include "ui/app_state.hpp"

namespace vantrek {

// The years the date picker offers; outside them a date has no Julian date.
constexpr int kEarliestPredictYear = 1583;
constexpr int kLatestPredictYear = 3000;

// The "Predict window": the period, the limits and the list of rows.
struct PredictForm {
    int year = 0, month = 0, day = 0;      // date picker, local time
    int hour = 0, minute = 0, second = 0;  // time picker, local time
    std::string hours;                     // "Hours to predict"
    std::string satelliteElevation;        // "Satelite > elevation [deg]"
    std::string sunElevation;              // "Sun < elevation [deg]"
    bool iridiumFlares = false;            // "Predict Iridium flares"
    bool magnitudeFilter = false;          // "Minimal magnitude to predict"
    std::string minimumMagnitude;          // edit beside it
    std::vector<PredictionCells> rows;     // the list, top row first
};

// Opening: the pickers at the program's local date and time (the simulation
// clock's, or the system's before the first tick), 24 hours, the limits in
// degrees and the options from the settings, and the stored rows again.
void openPredictDialog(PredictForm& form, const AppState& state, double systemJulianDate);

// What "Predict" searches: the pickers' local time as UTC, the hours, the
// limits and the boxes, with the replacements for values out of range or not
// numbers (hours 1, magnitude 20, either limit 0). The engine is the settings'.
PassSearchOptions predictSearchOptions(const PredictForm& form, const AppState& state);

// The list from the stored rows, newest on top. Rows a search has just
// inserted show their names with two more blanks than rows listed again.
void listPredictionRows(PredictForm& form, const AppState& state, bool insertedBySearch);

// Choosing rows (list positions, in list order): each in turn makes its
// satellite current, stops the clock at its time and loads its set, so the
// last one wins. Positions outside the list and rows of a satellite the
// catalogue no longer holds are passed over. True when a row was applied.
bool choosePredictionRows(const std::vector<int>& listPositions, AppState& state);

// OK: the boxes, the magnitude (as typed; text that is not a number keeps the
// setting) and the limits (with the replacements of "Predict") become the
// settings and are stored, then the chosen rows apply.
void acceptPredictDialog(const PredictForm& form, const std::vector<int>& listPositions,
                         AppState& state, SettingsStore& store);

}  // namespace vantrek
