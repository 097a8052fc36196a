#include "astro/sidereal_time.hpp"

#include <cmath>

#include "astro/constants.hpp"

namespace vantrek {

double GreenwichSiderealAngle(double jd) {
    const double u = (jd + 0.5) - std::trunc(jd + 0.5);  // fraction of the UT day since 0h
    const double d0 = jd - u;                               // the preceding 0h
    const double t = (d0 - 2451545.0) / 36525.0;            // Julian centuries from J2000
    // 86636.555366976 s is one UT day of 86400 s times 1.00273790934.
    double seconds = 24110.54841 + t * (8640184.812866 + t * (0.093104 - t * 6.2e-6)) +
                     u * 86636.555366976;
    seconds = std::fmod(seconds, 86400.0);
    if (seconds < 0.0) seconds += 86400.0;
    return seconds * kTwoPi / 86400.0;
}

}  // namespace vantrek
