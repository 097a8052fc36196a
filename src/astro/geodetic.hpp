#pragma once

#include "astro/vector4.hpp"

namespace vantrek {

// The point under an inertial position; laid out like the first four fields of Observer.
struct GeodeticPoint {
    double latitude = 0.0;        // rad [-pi/2, pi/2]
    double longitude = 0.0;       // rad east [0, 2 pi)
    double height = 0.0;          // km above the ellipsoid
    double rightAscension = 0.0;  // rad [0, 2 pi] of the position vector
};

// Geodetic latitude, longitude and height of an inertial position (km) at a
// Julian date. Returns the number of latitude iterations used (1..10).
int GeodeticFromEci(double jd, const Vector4& position, GeodeticPoint& out);

}  // namespace vantrek
