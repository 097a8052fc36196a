#include "astro/observer.hpp"

#include <cmath>

#include "astro/angles.hpp"
#include "astro/earth_model.hpp"
#include "astro/sidereal_time.hpp"

namespace vantrek {

void StoreLatitudeTrig(Observer& observer) {
    observer.sinLatitude = std::sin(observer.latitude);
    observer.cosLatitude = std::cos(observer.latitude);
}

double ObserverEci(double jd, Observer& observer, Vector4& position, Vector4& velocity) {
    observer.theta = NormalizeAngle(GreenwichSiderealAngle(jd) + observer.longitude);
    const double sinLat = std::sin(observer.latitude);
    const double cosLat = std::cos(observer.latitude);
    // Radius of curvature in the prime vertical, in equatorial radii.
    const double nf = 1.0 / std::sqrt(1.0 - kEarthEccentricitySquared * sinLat * sinLat);
    const double a = (kEarthEquatorialRadius * nf + observer.height) * cosLat;
    position.x = a * std::cos(observer.theta);
    position.y = a * std::sin(observer.theta);
    position.z = (kEarthEquatorialRadius * nf * kOneMinusEccentricitySquared + observer.height) * sinLat;
    position.w = std::sqrt(position.x * position.x + position.y * position.y + position.z * position.z);
    velocity.x = -kEarthRotationRate * position.y;
    velocity.y = kEarthRotationRate * position.x;
    velocity.z = 0.0;
    velocity.w = std::sqrt(velocity.x * velocity.x + velocity.y * velocity.y);
    return velocity.w;
}

}  // namespace vantrek
