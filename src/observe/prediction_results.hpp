#pragma once

#include <cstdint>
#include <vector>

namespace vantrek {

// One event found by the pass search.
struct PredictionRow {
    int32_t code = 0;             // visibility code
    double time = 0.0;            // UTC Julian date
    double magnitude = 100.0;     // 100 = none
    double flareAngle = 0.0;      // rad
    int32_t satelliteIndex = 0;   // index in the loaded catalogue
};

// The rows a search keeps unless asked for more: the command line's default.
constexpr int kPredictionDefaultRows = 301;
// The most rows any search keeps (the Predict window's list holds this many).
constexpr int kPredictionRowLimit = 100000;

// The rows of the last search, kept for the life of the process. `count` is
// rows.size(); `full` tells that a row was refused because the list had
// reached the search's row cap.
struct PredictionResults {
    std::vector<PredictionRow> rows;
    int32_t count = 0;
    bool full = false;
};

}  // namespace vantrek
