#include "astro/moon.hpp"

#include <cmath>

#include "astro/angles.hpp"
#include "astro/constants.hpp"
#include "astro/earth_model.hpp"
#include "astro/sidereal_time.hpp"

namespace vantrek {

namespace {
// Fixed obliquity of the series.
constexpr double kSinObliquity = 0.397818675;
constexpr double kCosObliquity = 0.91746406;
}  // namespace

void MoonPosition(double daysSince1980, const Observer& observer, MoonHorizon& horizon,
                  MoonEquatorial& equatorial) {
    const double d = daysSince1980;
    const double mm = NormalizeAngle(0.228027135 * d + 1.319238);     // Moon mean anomaly
    const double ms = NormalizeAngle(0.01720196977 * d + 6.217512);   // Sun mean anomaly
    const double d2 = 2.0 * NormalizeAngle(0.212768711 * d + 2.550677);  // twice the elongation
    const double f = NormalizeAngle(0.230895723 * d + 4.7652214);     // argument of latitude
    const double l = NormalizeAngle(0.229971506 * d + 1.134193);      // mean longitude

    const double lambda = l + 0.10976 * std::sin(mm) + 0.01148 * std::sin(d2) -
                          0.022235 * std::sin(mm - d2) - 0.003246 * std::sin(ms) +
                          0.003735 * std::sin(2.0 * mm) - 0.0019897 * std::sin(2.0 * f) -
                          0.0010297 * std::sin(2.0 * mm - d2) - 0.0009948 * std::sin(ms + mm - d2);
    const double beta = 0.0897797 * std::sin(f + 0.011507 * std::sin(d2) + 0.10873924 * std::sin(mm) -
                                             0.0222006 * std::sin(mm - d2)) -
                        0.002548 * std::sin(f - d2);

    const double sinDelta = std::cos(beta) * kSinObliquity * std::sin(lambda) + std::sin(beta) * kCosObliquity;
    const double delta = std::atan2(sinDelta, std::sqrt(1.0 - sinDelta * sinDelta));
    double alpha = std::atan2(std::sin(lambda) * kCosObliquity - std::tan(beta) * kSinObliquity, std::cos(lambda));
    if (alpha < 0.0) alpha += kTwoPi;

    const double gmst = GreenwichSiderealAngle(daysSince1980 + kMoonEpochJulianDate);
    const double hourAngle = NormalizeAngle(gmst - alpha) + observer.longitude;
    const double sinPhi = std::sin(observer.latitude);
    const double cosPhi = std::cos(observer.latitude);
    const double sinH = std::cos(hourAngle) * std::cos(delta) * cosPhi + sinDelta * sinPhi;
    const double h = std::atan2(sinH, std::sqrt(1.0 - sinH * sinH));
    double azimuth = std::atan2(-std::sin(hourAngle) * std::cos(delta) * cosPhi, sinDelta - sinH * sinPhi);
    if (azimuth < 0.0) azimuth += kTwoPi;

    const double q = 0.996986 / (1.0 + 0.0549 * std::cos(mm + 0.10976 * std::sin(mm)));
    horizon.azimuth = azimuth;
    horizon.elevation = h - 0.0166 * std::cos(h) / q;  // horizontal parallax about 0.95 degree
    horizon.relativeDistance = q;

    equatorial.declination = delta;
    equatorial.rightAscensionMinusGmst = alpha - gmst;
    equatorial.distance = kMoonMeanDistance;
}

double MoonSpaceVector(double jd, const MoonEquatorial& moon, Vector4& out) {
    double theta = GreenwichSiderealAngle(jd) + moon.rightAscensionMinusGmst;
    theta = AngleFromSinCos(std::sin(theta), std::cos(theta));
    // The declination is placed like a geodetic latitude on the Earth ellipsoid.
    const double psi = std::atan(kOneMinusEccentricitySquared * std::tan(moon.declination));
    const double cosPsi = std::cos(psi);
    const double radius =
        kEarthPolarRadius / std::sqrt(1.0 - kEarthEccentricitySquared * cosPsi * cosPsi) + kMoonMeanDistance;
    out.x = radius * cosPsi * std::cos(theta);
    out.y = radius * cosPsi * std::sin(theta);
    out.z = radius * std::sin(psi);
    return out.z;
}

}  // namespace vantrek
