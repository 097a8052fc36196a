#include "observe/eclipse.hpp"

#include <cmath>

#include "astro/angles.hpp"

namespace vantrek {

namespace {

constexpr double kEarthRadius = 6378.135;  // km
constexpr double kSunRadius = 696000.0;    // km

}  // namespace

int32_t IsEclipsed(const Vector4& satellite, const Vector4& sun, double& depth) {
    const double earthSemiDiameter = ArcSinClamped(kEarthRadius / satellite.w);
    const double dx = sun.x - satellite.x;
    const double dy = sun.y - satellite.y;
    const double dz = sun.z - satellite.z;
    const double sunDistance = std::sqrt(dx * dx + dy * dy + dz * dz);
    const double sunSemiDiameter = ArcSinClamped(kSunRadius / sunDistance);
    if (sunSemiDiameter > earthSemiDiameter) return 0;

    // Angle at the satellite between the Sun and the Earth's centre.
    Vector4 toSun = sun;
    Vector4 toEarth{-satellite.x, -satellite.y, -satellite.z, satellite.w};
    const double separation = AngleBetween(toSun, toEarth);
    depth = earthSemiDiameter - sunSemiDiameter - separation;
    return depth >= 0.0 ? 1 : 0;
}

}  // namespace vantrek
