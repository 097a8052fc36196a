#include "astro/sun.hpp"

#include <cmath>

#include "astro/angles.hpp"
#include "astro/astronomical_unit.hpp"
#include "astro/obliquity.hpp"

namespace vantrek {

void SunPosition(double jd, Vector4& out) {
    // Dynamical time minus universal time, in seconds.
    const double deltaT = 26.465 + 0.00204687748 * (jd - 2433232.0) +
                          1.886913 * std::sin(0.0005212855709 * (jd - 2442363.25));
    const double t = ((deltaT / 86400.0) + (jd - 2451545.0)) / 36525.0;  // centuries of TT from J2000

    const double m = NormalizeAngle(6.24005996669206 + 628.3019553260526 * t -
                                    (2.72096830385916e-6 + 8.377580409572783e-9 * t) * t * t);
    const double e = 0.016708617 - (4.2037e-5 + 1.236e-7 * t) * t;
    const double centre =
        (0.03341607385868344 - (8.407251006856687e-5 + 2.4434609527920616e-7 * t) * t) * std::sin(m) +
        (0.0003489436773512264 - 1.7627825445142732e-6 * t) * std::sin(2.0 * m) +
        5.061454830783557e-6 * std::sin(3.0 * m);
    const double trueLongitude =
        NormalizeAngle(4.895062993880051 + 628.3319667861393 * t + 5.291838292046808e-6 * t * t) + centre;
    const double omega = NormalizeAngle(2.18235969669371 - 33.757041381353055 * t);
    // Nutation and aberration in longitude.
    const double lambda =
        NormalizeAngle(trueLongitude - 9.930923443847736e-5 - 8.342673824532897e-5 * std::sin(omega));
    const double eps = MeanObliquity(jd);
    const double distance = 1.000001018 * (1.0 - e * e) / (1.0 + e * std::cos(NormalizeAngle(m + centre))) *
                            kAstronomicalUnit;

    out.x = distance * std::cos(lambda);
    out.y = distance * std::sin(lambda) * std::cos(eps);
    out.z = distance * std::sin(lambda) * std::sin(eps);
    out.w = distance;
}

}  // namespace vantrek
