#pragma once

#include <cstdint>

namespace vantrek {

// One event found by the pass search.
struct PredictionRow {
    int32_t code = 0;             // visibility code
    double time = 0.0;            // UTC Julian date
    double magnitude = 100.0;     // 100 = none
    double flareAngle = 0.0;      // rad
    int32_t satelliteIndex = 0;   // index in the loaded catalogue
};

constexpr int kPredictionCapacity = 301;

// The rows of the last search, kept for the life of the process.
struct PredictionResults {
    PredictionRow rows[kPredictionCapacity];
    int32_t count = 0;
};

}  // namespace vantrek
