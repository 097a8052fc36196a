#pragma once

#include <cstdint>

#include "astro/observer.hpp"
#include "astro/vector4.hpp"

namespace vantrek {

// Where a body stands in the observer's sky.
struct LookAngles {
    double azimuth = 0.0;    // rad [0, 2 pi), from north through east
    double elevation = 0.0;  // rad; apparent when refraction was asked for
    double range = 0.0;      // km
    double rangeRate = 0.0;  // km/s, positive when the distance grows
};

// Turns a body's inertial position (km) and velocity (km/s) into look angles
// from the observer at a Julian date (observer.theta is written). With
// refraction = 1 an elevation above -0.5 degree is refracted. With keep = 0 a
// body below the horizon leaves azimuth and range rate 0 and gives false
// (range and elevation are still filled); otherwise the result is true.
bool ComputeLookAngles(double jd, const Vector4& position, const Vector4& velocity,
                       Observer& observer, LookAngles& out, uint8_t keep, int32_t refraction);

}  // namespace vantrek
