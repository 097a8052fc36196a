#pragma once

#include <cmath>

#include "astro/observer.hpp"
#include "astro/sidereal_time.hpp"
#include "astro/vector4.hpp"

namespace vantrek::testing {

// A Julian date on 2000 January 1 at which Greenwich sidereal time is 0.
inline double siderealZeroDate() {
    const double midnight = 2451544.5;
    const double seconds = GreenwichSiderealAngle(midnight) * 86400.0 / 6.283185307179586;
    return midnight + (86400.0 - seconds) / 86636.555366976;
}

// Inertial position of a body seen from the observer at azimuth/elevation
// (rad, about the ellipsoid normal) and range (km) at a Julian date.
inline Vector4 bodyAt(double jd, Observer observer, double azimuth, double elevation, double range) {
    Vector4 site, siteVelocity;
    ObserverEci(jd, observer, site, siteVelocity);
    const double sp = std::sin(observer.latitude), cp = std::cos(observer.latitude);
    const double st = std::sin(observer.theta), ct = std::cos(observer.theta);
    const double south = -std::cos(azimuth) * std::cos(elevation) * range;
    const double east = std::sin(azimuth) * std::cos(elevation) * range;
    const double up = std::sin(elevation) * range;
    Vector4 p;
    p.x = site.x + south * sp * ct - east * st + up * cp * ct;
    p.y = site.y + south * sp * st + east * ct + up * cp * st;
    p.z = site.z - south * cp + up * sp;
    return p;
}

}  // namespace vantrek::testing
