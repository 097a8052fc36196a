#include "astro/look_angles.hpp"

#include <cmath>

#include "astro/angles.hpp"
#include "astro/constants.hpp"
#include "astro/refraction.hpp"

namespace vantrek {

bool ComputeLookAngles(double jd, const Vector4& position, const Vector4& velocity,
                       Observer& observer, LookAngles& out, uint8_t keep, int32_t refraction) {
    Vector4 site;
    Vector4 siteVelocity;
    ObserverEci(jd, observer, site, siteVelocity);

    const double rx = position.x - site.x;
    const double ry = position.y - site.y;
    const double rz = position.z - site.z;
    out.range = std::sqrt(rx * rx + ry * ry + rz * rz);

    const double sinLat = std::sin(observer.latitude);
    const double cosLat = std::cos(observer.latitude);
    const double sinTheta = std::sin(observer.theta);
    const double cosTheta = std::cos(observer.theta);
    // Topocentric components: up, south, east.
    const double up = cosLat * cosTheta * rx + cosLat * sinTheta * ry + sinLat * rz;
    out.elevation = ArcSinClamped(up / out.range);

    if (refraction == 1 && out.elevation > kRefractionFloor) ApplyRefraction(out);

    if (keep == 0 && out.elevation < 0.0) {
        out.azimuth = 0.0;
        out.rangeRate = 0.0;
        return false;
    }

    const double south = sinLat * cosTheta * rx + sinLat * sinTheta * ry - cosLat * rz;
    const double east = -sinTheta * rx + cosTheta * ry;
    if (south == 0.0 && east == 0.0) {
        out.azimuth = 0.0;  // straight overhead (or underfoot): no bearing to give
    } else {
        double azimuth = std::atan(-east / south);
        if (south > 0.0) azimuth += kPi;
        if (azimuth < 0.0) azimuth += kTwoPi;
        out.azimuth = azimuth;
    }

    out.rangeRate = ((velocity.x - siteVelocity.x) * rx + (velocity.y - siteVelocity.y) * ry +
                     (velocity.z - siteVelocity.z) * rz) /
                    out.range;
    return true;
}

}  // namespace vantrek
