#pragma once

#include "astro/look_angles.hpp"

namespace vantrek {

// Elevations below -0.5 degree are never refracted.
constexpr double kRefractionFloor = -0.00872664625997165;  // rad

// Replaces a true elevation by the apparent one: Saemundsson's estimate of the
// refraction, refined with Bennett's formula until it moves by 0.01 arcsecond
// or less (at most ten refinements).
void ApplyRefraction(LookAngles& look);

}  // namespace vantrek
