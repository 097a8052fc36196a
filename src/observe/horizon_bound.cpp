#include "observe/horizon_bound.hpp"

#include <algorithm>
#include <cmath>

#include "astro/earth_model.hpp"

namespace vantrek {

namespace {

constexpr double kGm = 398600.8;           // km^3/s^2, as the orbit models' constants give it
constexpr double kApogeeMarginKm = 50.0;   // periodic terms move the osculating apogee by some 10 km
constexpr double kRateMargin = 1.05;       // on the perigee rate: periodic terms and drag
constexpr double kAngleMargin = 1e-3;      // rad, against rounding
constexpr double kLowestPerigeeKm = 100.0;  // below: the orbit is ending, promise nothing

}  // namespace

double SecondsBelowHorizon(const Vector4& position, const Vector4& velocity, const Observer& observer) {
    const double r = std::sqrt(position.x * position.x + position.y * position.y + position.z * position.z);
    const double v2 = velocity.x * velocity.x + velocity.y * velocity.y + velocity.z * velocity.z;
    const double energy = 0.5 * v2 - kGm / r;
    if (!(energy < 0.0) || !(r > 0.0)) return 0.0;
    const double a = -kGm / (2.0 * energy);
    const double hx = position.y * velocity.z - position.z * velocity.y;
    const double hy = position.z * velocity.x - position.x * velocity.z;
    const double hz = position.x * velocity.y - position.y * velocity.x;
    const double h = std::sqrt(hx * hx + hy * hy + hz * hz);
    const double e = std::sqrt(std::max(0.0, 1.0 - h * h / (kGm * a)));
    const double perigee = a * (1.0 - e);
    if (!(perigee > kEarthEquatorialRadius + kLowestPerigeeKm)) return 0.0;
    const double apogee = a * (1.0 + e) + kApogeeMarginKm;

    // The zenith (the normal of the ellipsoid) and the plane's distance from the centre.
    const double sinLat = std::sin(observer.latitude);
    const double cosLat = std::cos(observer.latitude);
    const double nf = 1.0 / std::sqrt(1.0 - kEarthEccentricitySquared * sinLat * sinLat);
    const double plane = (kEarthEquatorialRadius * nf + observer.height) * cosLat * cosLat +
                         (kEarthEquatorialRadius * nf * kOneMinusEccentricitySquared + observer.height) * sinLat * sinLat;
    const double up = (cosLat * (std::cos(observer.theta) * position.x + std::sin(observer.theta) * position.y) +
                       sinLat * position.z) / r;
    const double fromZenith = std::acos(std::clamp(up, -1.0, 1.0));
    const double circle = std::acos(std::min(1.0, plane / apogee));
    const double room = fromZenith - circle - kAngleMargin;
    if (!(room > 0.0)) return 0.0;
    const double rate = kRateMargin * h / (perigee * perigee) + kRateMargin * kEarthRotationRate;  // rad/s
    return room / rate;
}

}  // namespace vantrek
