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
    // The sine and cosine of each estimate come from the sides of its angle,
    // not from sin and cos of it: the same values to the last bits, at a
    // third less cost on the map's ground tracks.
    double sinPhi = std::sin(phi);
    double cosPhi = 1.0;
    double nf = 1.0;
    int passes = 0;
    while (passes < 10) {
        ++passes;
        const double previous = phi;
        nf = 1.0 / std::sqrt(1.0 - kEarthEccentricitySquared * sinPhi * sinPhi);
        const double z = position.z + kEccentricitySquaredTimesRadius * nf * sinPhi;
        phi = AngleFromSinCos(z, rho);
        if (rho > 0.0) {
            const double side = std::sqrt(z * z + rho * rho);
            sinPhi = z / side;
            cosPhi = rho / side;
        } else {  // on the polar axis the angle is all there is
            sinPhi = std::sin(phi);
            cosPhi = std::cos(phi);
        }
        if (std::fabs(phi - previous) < 1e-7) break;
    }
    out.height = rho / cosPhi - kEarthEquatorialRadius * nf;
    if (phi > kHalfPi) phi -= kTwoPi;  // southern latitudes come back near 2 pi
    out.latitude = phi;
    return passes;
}

}  // namespace vantrek
