#include "astro/geodetic.hpp"

#include <cmath>

#include "astro/angles.hpp"
#include "astro/constants.hpp"
#include "astro/earth_model.hpp"
#include "astro/sidereal_time.hpp"

namespace vantrek {

int GeodeticFromEci(double jd, const Vector4& position, GeodeticPoint& out) {
    out.rightAscension = AngleFromSinCos(position.y, position.x);
    out.longitude = NormalizeAngle(out.rightAscension - GreenwichSiderealAngle(jd));

    const double rho = std::sqrt(position.x * position.x + position.y * position.y);
    double phi = AngleFromSinCos(position.z, rho);
    double nf = 1.0;
    int passes = 0;
    while (passes < 10) {
        ++passes;
        const double previous = phi;
        const double sinPrevious = std::sin(previous);
        nf = 1.0 / std::sqrt(1.0 - kEarthEccentricitySquared * sinPrevious * sinPrevious);
        phi = AngleFromSinCos(position.z + kEccentricitySquaredTimesRadius * nf * sinPrevious, rho);
        if (std::fabs(phi - previous) < 1e-7) break;
    }
    out.height = rho / std::cos(phi) - kEarthEquatorialRadius * nf;
    if (phi > kHalfPi) phi -= kTwoPi;  // southern latitudes come back near 2 pi
    out.latitude = phi;
    return passes;
}

}  // namespace vantrek
