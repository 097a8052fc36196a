#include "ui/dialogs/predict_columns.hpp"

#include <cmath>
#include <limits>

#include "observe/prediction_cells.hpp"
#include "observe/visibility_code.hpp"

namespace vantrek {

namespace {

constexpr double kAfterAll = std::numeric_limits<double>::infinity();

const PassDetails* passAt(const AppState& state, int position) {
    const int stored = PredictionRowAtListPosition(state.predictions, position);
    const PassDetails* pass = PassDetailsOfRow(state.passDetails, state.predictions, stored);
    return pass != nullptr && pass->valid ? pass : nullptr;
}

}  // namespace

PassDetailCells PredictListPassCells(const AppState& state, int position) {
    const PassDetails* pass = passAt(state, position);
    return FormatPassDetails(pass != nullptr ? *pass : PassDetails{}, state.localTimeOffset);
}

double PredictListSortKey(const AppState& state, int position, int column) {
    const int stored = PredictionRowAtListPosition(state.predictions, position);
    if (stored < 0) return kAfterAll;
    const PredictionRow& row = state.predictions.rows[stored];
    const PassDetails* pass = passAt(state, position);
    const bool shown = row.code == kVisibilityVisible || row.code == kVisibilityFlare;
    switch (column) {
        case 0: return NAN;
        case 1: return row.time;
        case 2: return row.code;
        case 3: return shown ? row.magnitude : kAfterAll;
        case 4: return row.code == kVisibilityFlare ? row.flareAngle : kAfterAll;
        case 5: return row.satelliteIndex;
        default: break;
    }
    if (pass == nullptr) return kAfterAll;
    switch (column) {
        case 6: return pass->aos;
        case 7: return pass->maxElevation;
        case 8: return pass->los;
        case 9: return PassDurationSeconds(*pass);
        case 10: return pass->aosAzimuth;
        case 11: return pass->losAzimuth;
        default: return kAfterAll;
    }
}

}  // namespace vantrek
