#include <cmath>

#include <gtest/gtest.h>

#include "astro/angles.hpp"
#include "astro/constants.hpp"
#include "astro/julian_date.hpp"
#include "astro/look_angles.hpp"
#include "astro/moon.hpp"
#include "astro/moon_phase.hpp"
#include "astro/obliquity.hpp"
#include "astro/sidereal_time.hpp"
#include "astro/sun.hpp"

using namespace vantrek;

namespace {

double eclipticLongitude(const Vector4& v, double jd) {
    return NormalizeAngle(std::atan2(v.y / std::cos(MeanObliquity(jd)), v.x));
}

// Angle between a direction given by declination and right ascension and a vector.
double separation(double dec, double ra, const Vector4& v) {
    const double r = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    const double c = (std::cos(dec) * std::cos(ra) * v.x + std::cos(dec) * std::sin(ra) * v.y +
                      std::sin(dec) * v.z) / r;
    return std::acos(std::fmin(1.0, std::fmax(-1.0, c)));
}

}  // namespace

TEST(MeanObliquity, AtJ2000AndDrift) {
    EXPECT_NEAR(MeanObliquity(2451545.0) / 4.84813681109536e-6, 84381.406173, 1e-6);
    EXPECT_NEAR(MeanObliquity(2451545.0) / kDegree, 23.4392795, 1e-7);
    // About 47 arcseconds less per century.
    const double drift = (MeanObliquity(2451545.0 + 36525.0) - MeanObliquity(2451545.0)) / 4.84813681109536e-6;
    EXPECT_NEAR(drift, -46.84, 0.05);
}

TEST(SunPosition, AtJ2000) {
    Vector4 sun;
    SunPosition(2451545.0, sun);
    EXPECT_NEAR(eclipticLongitude(sun, 2451545.0) / kDegree, 280.373, 0.001);
    EXPECT_NEAR(sun.w, 147100850.0, 2000.0);
    EXPECT_NEAR(sun.w / 149597870.691, 0.98333, 0.00003);
    EXPECT_NEAR(std::sqrt(sun.x * sun.x + sun.y * sun.y + sun.z * sun.z), sun.w, 1e-3);
}

TEST(SunPosition, SolsticesAndEquinox) {
    Vector4 sun;
    SunPosition(JulianDateFromCalendar(2021, 6, 21, 3, 32, 0, 0), sun);  // June solstice
    EXPECT_NEAR(std::asin(sun.z / sun.w) / kDegree, 23.44, 0.01);
    SunPosition(JulianDateFromCalendar(2021, 12, 21, 15, 59, 0, 0), sun);  // December solstice
    EXPECT_NEAR(std::asin(sun.z / sun.w) / kDegree, -23.44, 0.01);
    SunPosition(JulianDateFromCalendar(2021, 3, 20, 9, 37, 0, 0), sun);  // March equinox
    EXPECT_NEAR(std::asin(sun.z / sun.w) / kDegree, 0.0, 0.01);
    EXPECT_GT(sun.x, 0.0);
}

TEST(MoonPhase, FiguresStayInTheirBounds) {
    for (double jd = 2440000.0; jd < 2470000.0; jd += 0.77) {
        MoonPhaseFigures m;
        ASSERT_EQ(MoonPhase(jd, m), 1);
        ASSERT_GE(m.illuminatedFraction, 0.0);
        ASSERT_LE(m.illuminatedFraction, 1.0);
        ASSERT_GE(m.age, 0.0);
        ASSERT_LT(m.age, kTwoPi);
        ASSERT_NEAR(m.illuminatedFraction, (1.0 - std::cos(m.age)) / 2.0, 1e-12);
        ASSERT_GT(m.distance, 363000.0);
        ASSERT_LT(m.distance, 405600.0);
        ASSERT_GT(m.apparentDiameter, 0.49);
        ASSERT_LT(m.apparentDiameter, 0.55);
        ASSERT_NEAR(m.sunDistance, 1.496e8, 2.6e6);
        ASSERT_NEAR(m.sunApparentDiameter, 0.533, 0.01);
    }
}

TEST(MoonPhase, NewAndFullMoons) {
    MoonPhaseFigures m;
    MoonPhase(JulianDateFromCalendar(2000, 1, 21, 4, 40, 0, 0), m);  // full (total lunar eclipse)
    EXPECT_GT(m.illuminatedFraction, 0.995);
    EXPECT_NEAR(m.age, kPi, 0.15);
    MoonPhase(JulianDateFromCalendar(2000, 1, 6, 18, 14, 0, 0), m);  // new
    EXPECT_LT(m.illuminatedFraction, 0.005);
    MoonPhase(JulianDateFromCalendar(2000, 1, 14, 13, 34, 0, 0), m);  // first quarter
    EXPECT_NEAR(m.illuminatedFraction, 0.5, 0.05);
    EXPECT_NEAR(m.age, kHalfPi, 0.1);
}

TEST(MoonPosition, OppositeTheSunAtALunarEclipse) {
    const double jd = JulianDateFromCalendar(2000, 1, 21, 4, 44, 0, 0);
    Observer o;
    MoonHorizon horizon;
    MoonEquatorial eq;
    MoonPosition(jd - kMoonEpochJulianDate, o, horizon, eq);
    Vector4 antiSun;
    SunPosition(jd, antiSun);
    antiSun.x = -antiSun.x;
    antiSun.y = -antiSun.y;
    antiSun.z = -antiSun.z;
    const double ra = eq.rightAscensionMinusGmst + GreenwichSiderealAngle(jd);
    EXPECT_LT(separation(eq.declination, ra, antiSun) / kDegree, 0.5);
    EXPECT_EQ(eq.distance, 384403.0);
    EXPECT_GT(horizon.relativeDistance, 0.94);
    EXPECT_LT(horizon.relativeDistance, 1.06);
}

TEST(MoonPosition, HorizonAgreesWithTheSpaceVector) {
    // The space-view vector seen through the look-angle routine must put the Moon
    // where the horizon routine does, to within the parallax approximation.
    Observer o;
    for (double jd = 2459000.1; jd < 2459030.0; jd += 1.37) {
        MoonHorizon horizon;
        MoonEquatorial eq;
        MoonPosition(jd - kMoonEpochJulianDate, o, horizon, eq);
        Vector4 p;
        const double z = MoonSpaceVector(jd, eq, p);
        EXPECT_EQ(z, p.z);
        EXPECT_NEAR(std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z), 384403.0 + 6370.0, 10.0);
        LookAngles look;
        ComputeLookAngles(jd, p, Vector4{}, o, look, 1, 0);
        EXPECT_NEAR(look.elevation, horizon.elevation, 0.3 * kDegree) << jd;
        if (horizon.elevation > -1.3 && horizon.elevation < 1.3) {
            EXPECT_NEAR(std::remainder(look.azimuth - horizon.azimuth, kTwoPi), 0.0, 0.5 * kDegree) << jd;
        }
    }
}
