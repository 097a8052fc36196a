#include <cmath>

#include <gtest/gtest.h>

#include "astro/angles.hpp"
#include "astro/constants.hpp"
#include "astro/kepler.hpp"
#include "astro/obliquity.hpp"
#include "astro/planets.hpp"

using namespace vantrek;

namespace {
constexpr double kAu = 149597870.691;
constexpr double kEpoch = 2446800.5;

// Angle between the Sun and a body seen from the Earth, degrees.
double elongationDegrees(double jd, int16_t code) {
    Vector4 earth, body;
    PlanetHeliocentric(jd, kEarth, earth);
    PlanetHeliocentric(jd, code, body);
    Vector4 sun{-earth.x, -earth.y, -earth.z, 0.0}, seen{body.x - earth.x, body.y - earth.y, body.z - earth.z, 0.0};
    return AngleBetween(sun, seen) / kDegree;
}
}  // namespace

TEST(PlanetHeliocentric, UnknownCodesAreRefused) {
    EXPECT_EQ(PlanetRow(-1), -1);
    EXPECT_EQ(PlanetRow(9), -1);
    Vector4 untouched{1.0, 2.0, 3.0, 4.0};
    EXPECT_FALSE(PlanetHeliocentric(kEpoch, 9, untouched));
    EXPECT_EQ(untouched.x, 1.0);
}

TEST(PlanetHeliocentric, EarthAtTheElementsEpoch) {
    Vector4 earth;
    ASSERT_TRUE(PlanetHeliocentric(kEpoch, kEarth, earth));
    EXPECT_NEAR(earth.w / kAu, 0.985, 0.005);  // two days after perihelion
    EXPECT_NEAR(std::sqrt(earth.x * earth.x + earth.y * earth.y + earth.z * earth.z), earth.w, 1e-3);
    // Seen from the Earth the Sun stands near 285 degrees of longitude in early January.
    const double longitude = NormalizeAngle(std::atan2(earth.y / std::cos(MeanObliquity(kEpoch)), earth.x));
    EXPECT_NEAR(NormalizeAngle(longitude + kPi) / kDegree, 285.0, 1.0);
}

TEST(PlanetHeliocentric, DistancesAndInclinations) {
    const double eps = MeanObliquity(kEpoch);
    for (int16_t code = 0; code <= 8; ++code) {  // the Earth's inclination is 0: in the ecliptic
        const PlanetElementRow& row = PlanetElements[PlanetRow(code)];
        for (double jd = kEpoch - 20000.0; jd < kEpoch + 20000.0; jd += 997.0) {
            Vector4 p;
            ASSERT_TRUE(PlanetHeliocentric(jd, code, p));
            const double r = p.w / kAu;
            ASSERT_GE(r, row.semiMajorAxis * (1.0 - row.eccentricity) - 1e-9) << code;
            ASSERT_LE(r, row.semiMajorAxis * (1.0 + row.eccentricity) + 1e-9) << code;
            // Back to the ecliptic: the latitude never exceeds the inclination.
            const double zEcliptic = p.z * std::cos(eps) - p.y * std::sin(eps);
            ASSERT_LE(std::fabs(std::asin(zEcliptic / p.w)), row.inclination + 1e-9) << code;
        }
    }
}

TEST(PlanetHeliocentric, GreatestElongationsAndJupitersOpposition) {
    // Mercury reaches about 28 degrees from the Sun, Venus about 47 degrees.
    double mercuryMax = 0.0, venusMax = 0.0;
    for (double jd = 2451545.0; jd < 2451545.0 + 3000.0; jd += 2.0) {
        mercuryMax = std::fmax(mercuryMax, elongationDegrees(jd, kMercury));
        venusMax = std::fmax(venusMax, elongationDegrees(jd, kVenus));
    }
    EXPECT_NEAR(mercuryMax, 27.5, 1.0);
    EXPECT_NEAR(venusMax, 47.0, 1.0);
    EXPECT_GT(elongationDegrees(2460251.5, kJupiter), 175.0);  // opposition of 2023 November 3
}

TEST(EccentricAnomaly, SolvesKeplersEquation) {
    for (double e : {0.0, 0.016718, 0.248662}) {
        for (double m = 0.0; m < kTwoPi; m += 0.3) {
            const double ea = EccentricAnomaly(m, e);
            ASSERT_NEAR(ea - e * std::sin(ea), m, 1e-6) << e << " " << m;
        }
    }
    EXPECT_TRUE(std::isnan(EccentricAnomaly(NAN, 0.1)));  // ends, does not spin
}
