#pragma once

#include "astro/vector4.hpp"

namespace vantrek {

// The Sun's geocentric position in km in the equatorial frame of date (x
// towards the equinox), w = its distance; low-precision solar coordinates.
void SunPosition(double jd, Vector4& out);

}  // namespace vantrek
