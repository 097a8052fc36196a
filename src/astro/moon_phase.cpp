#include "astro/moon_phase.hpp"

#include <cmath>

#include "astro/angles.hpp"
#include "astro/constants.hpp"
#include "astro/kepler.hpp"
#include "astro/moon.hpp"

namespace vantrek {

namespace {

// Elements of the 1980.0 epoch; angles in degrees.
constexpr double kSunEclipticLongitudeAtEpoch = 278.83354;
constexpr double kSunPerigeeLongitude = 282.596403;
constexpr double kEarthEccentricity = 0.016718;
constexpr double kMoonMeanLongitudeAtEpoch = 64.975464;
constexpr double kMoonPerigeeLongitudeAtEpoch = 349.383063;

}  // namespace

int MoonPhase(double jd, MoonPhaseFigures& out) {
    const double day = jd - kMoonEpochJulianDate;

    const double n = NormalizeAngle(0.9856473320990837 * day * kDegree);  // 360 / 365.2422 deg/day
    const double ms = NormalizeAngle(n + (kSunEclipticLongitudeAtEpoch - kSunPerigeeLongitude) * kDegree);
    const double ecc = EccentricAnomaly(ms, kEarthEccentricity);
    // 1.0340044870138985 = (1 + e) / (1 - e)
    const double v = 2.0 * std::atan(std::sqrt(1.0340044870138985) * std::tan(ecc / 2.0));
    const double sunLongitude = NormalizeAngle(v + kSunPerigeeLongitude * kDegree);
    const double f = (1.0 + kEarthEccentricity * std::cos(v)) / 0.999720508476;

    const double ml = NormalizeAngle(13.1763966 * day * kDegree + kMoonMeanLongitudeAtEpoch * kDegree);
    const double mm = NormalizeAngle(ml - 0.1114041 * day * kDegree - kMoonPerigeeLongitudeAtEpoch * kDegree);
    const double evection = 1.2739 * kDegree * std::sin(2.0 * (ml - sunLongitude) - mm);
    const double annual = 0.1858 * kDegree * std::sin(ms);
    const double a3 = 0.37 * kDegree * std::sin(ms);
    const double mmCorrected = mm + evection - annual - a3;
    const double centre = 6.2886 * kDegree * std::sin(mmCorrected);
    const double a4 = 0.214 * kDegree * std::sin(2.0 * mmCorrected);
    const double lCorrected = ml + evection + centre - annual + a4;
    const double variation = 0.6583 * kDegree * std::sin(2.0 * (lCorrected - sunLongitude));
    const double age = lCorrected + variation - sunLongitude;

    out.illuminatedFraction = (1.0 - std::cos(age)) / 2.0;
    out.age = NormalizeAngle(age);
    out.distance = 383242.41154199 / (1.0 + 0.0549 * std::cos(mmCorrected + centre));
    out.apparentDiameter = 0.5181 / (out.distance / 384401.0);
    out.sunDistance = 1.495985e8 / f;
    out.sunApparentDiameter = 0.533128 * f;
    return 1;
}

}  // namespace vantrek
