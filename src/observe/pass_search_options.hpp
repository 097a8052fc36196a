#pragma once

#include <cstdint>

#include "observe/prediction_results.hpp"

namespace vantrek {

// Default elevation limits: the satellite more than 2 degrees up, the Sun more
// than 2 degrees down.
constexpr double kDefaultSatelliteElevationLimit = 0.0349065850398866;  // rad
constexpr double kDefaultSunElevationLimit = -0.0349065850398866;       // rad

// The elevation limits a visibility evaluation reads.
struct VisibilityLimits {
    double satelliteElevation = kDefaultSatelliteElevationLimit;  // rad, 0..pi/2
    double sunElevation = kDefaultSunElevationLimit;              // rad, -pi/2..pi/2
};

// What the pass search is asked to do, filled by the caller (the Predict
// window from its controls, the command line from its options).
struct PassSearchOptions {
    double start = 0.0;              // UTC Julian date
    double hours = 24.0;             // length of the period, 0..100
    VisibilityLimits limits;
    int32_t flareMode = 0;           // 1: Iridium flares instead of passes
    int32_t magnitudeFilter = 0;     // 1: only rows brighter than minimumMagnitude
    double minimumMagnitude = 20.0;  // 0..20
    int32_t engine = 0;              // 1: SGP8/SDP8, otherwise SGP4/SDP4
    int32_t maxRows = kPredictionDefaultRows;  // rows kept, 1..kPredictionRowLimit
};

// The options with out-of-range values replaced as the Predict button does:
// hours by 1, the minimum magnitude by 20, either elevation limit by 0; the
// row cap is kept within 1..kPredictionRowLimit.
// Values that are not numbers count as out of range.
PassSearchOptions CheckedPassSearchOptions(const PassSearchOptions& options);

// Catalogue numbers never searched in flare mode.
bool IsFlareExcluded(int32_t catalogNumber);

}  // namespace vantrek
