#pragma once

#include <cstdint>

namespace vantrek {

// How a satellite can be seen at one instant.
constexpr int16_t kVisibilityCannotPropagate = -1;  // the model gives no position; skip it
constexpr int16_t kVisibilityInvisible = 0;  // not above the satellite elevation limit
constexpr int16_t kVisibilityEclipsed = 2;   // above it, dark sky, in the Earth's shadow
constexpr int16_t kVisibilityInSun = 3;      // above it, sky too bright (or, for flares, no mirror near)
constexpr int16_t kVisibilityVisible = 4;    // above it, dark sky, sunlit
constexpr int16_t kVisibilityFlare = 5;      // as visible, with a mirror within 5 degrees

// Magnitude meaning "none can be given".
constexpr double kNoMagnitude = 100.0;

// The word the Predict window shows for a code; "" for a code without one.
const char* VisibilityWord(int32_t code);

}  // namespace vantrek
