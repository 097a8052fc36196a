#pragma once

#include <cstdint>
#include <string>

namespace vantrek {

// The information panel's line about a satellite's shape, from its row of the
// magnitude table (the table's first row when the number is missing):
// box dimensions when it has a depth, a cylinder when it has a width only, a
// sphere when it has a length only, and "Shape not know. " for the 0.2 m
// placeholder length.
std::string SatelliteShapeText(int32_t catalogNumber);

}  // namespace vantrek
