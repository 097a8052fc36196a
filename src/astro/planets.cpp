#include "astro/planets.hpp"

#include <cmath>

#include "astro/angles.hpp"
#include "astro/astronomical_unit.hpp"
#include "astro/kepler.hpp"
#include "astro/obliquity.hpp"

namespace vantrek {

namespace {

constexpr double kGaussianGravitation = 0.017202098949975136;  // rad/day at 1 AU
constexpr double kElementsObliquityEpoch = 2446800.5;        // the Earth row's

}  // namespace

int PlanetRow(int16_t code) {
    if (code == kEarth) return 2;
    if (code == kMercury || code == kVenus) return code - 1;
    if (code >= kMars && code <= kPluto) return code;
    return -1;
}

bool PlanetHeliocentric(double jd, int16_t code, Vector4& out) {
    const int row = PlanetRow(code);
    if (row < 0) return false;
    const PlanetElementRow& p = PlanetElements[row];

    double n = p.dailyMotion;
    if (n == 0.0) n = kGaussianGravitation / (p.semiMajorAxis * std::sqrt(p.semiMajorAxis));
    const double m = NormalizeAngle((jd - p.epoch) * n + p.meanAnomaly);
    const double e = p.eccentricity;
    const double ea = EccentricAnomaly(m, e);
    const double v = NormalizeAngle(2.0 * std::atan(std::sqrt((1.0 + e) / (1.0 - e)) * std::tan(ea / 2.0)));
    const double u = p.argPerihelion + v;  // argument of latitude
    const double r = p.semiMajorAxis * (1.0 - e * e) * kAstronomicalUnit / (1.0 + e * std::cos(v));

    double longitude;
    double z;
    double rho;
    if (code == kEarth) {
        longitude = AngleFromSinCos(std::sin(u), std::cos(u));
        z = 0.0;
        rho = r;
    } else {
        longitude = AngleFromSinCos(std::cos(p.inclination) * std::sin(u), std::cos(u)) + p.node;
        const double b = std::asin(std::sin(p.inclination) * std::sin(u));
        z = r * std::sin(b);
        rho = r * std::cos(b);
    }
    const double x = rho * std::cos(longitude);
    const double y = rho * std::sin(longitude);

    // Every body is turned with the obliquity of the elements' epoch.
    const double eps = MeanObliquity(kElementsObliquityEpoch);
    const double cosEps = std::cos(eps);
    const double sinEps = std::sin(eps);
    out.x = x;
    out.y = y * cosEps - z * sinEps;
    out.z = z * cosEps + y * sinEps;
    out.w = r;
    return true;
}

}  // namespace vantrek
