#pragma once

#include "observe/pass_detail_cells.hpp"
#include "ui/app_state.hpp"

namespace vantrek {

// The pass columns of the Predict list, after its six row columns.
constexpr int kRowColumnCount = 6;
constexpr int kPassColumnCount = 6;
constexpr const char* kPassColumnTitles[kPassColumnCount] = {"AOS", "Max elev", "LOS", "Duration", "AOS az", "LOS az"};
constexpr int kPassColumnWidths[kPassColumnCount] = {130, 75, 130, 65, 60, 60};  // pixels
constexpr const char* kUpAtStartTip = "Already up when the search began: the search's start";

// The pass cells of the row at list position `position` (newest row first);
// "N/A" in each for a row without a pass.
PassDetailCells PredictListPassCells(const AppState& state, int position);

// What column `column` (0..11) sorts by for the row at `position`: the
// number behind its cell (Julian dates, degrees, seconds, the code, the
// index). Cells without a number ("N/A") sort after those with one; the
// satellite column gives NaN and sorts by its text.
double PredictListSortKey(const AppState& state, int position, int column);

}  // namespace vantrek
