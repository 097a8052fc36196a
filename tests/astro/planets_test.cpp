#include <cmath>
#include <cstring>

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

double angleBetween(Vector4 a, Vector4 b) { return AngleBetween(a, b); }
}  // namespace

TEST(PlanetElements, RowsAndCodes) {
    EXPECT_EQ(std::strcmp(PlanetElements[PlanetRow(kEarth)].name, "Earth          "), 0);
    EXPECT_EQ(std::strcmp(PlanetElements[PlanetRow(kVenus)].name, "Venus          "), 0);
    EXPECT_EQ(std::strcmp(PlanetElements[PlanetRow(kPluto)].name, "Pluto          "), 0);
    EXPECT_EQ(PlanetRow(-1), -1);
    EXPECT_EQ(PlanetRow(9), -1);
    Vector4 untouched{1.0, 2.0, 3.0, 4.0};
    EXPECT_FALSE(PlanetHeliocentric(kEpoch, 9, untouched));
    EXPECT_EQ(untouched.x, 1.0);
}

TEST(PlanetHeliocentric, EarthAtTheElementsEpoch) {
    Vector4 earth;
    ASSERT_TRUE(PlanetHeliocentric(kEpoch, kEarth, earth));
    EXPECT_GT(earth.w / kAu, 0.98);
    EXPECT_LT(earth.w / kAu, 0.99);  // two days after perihelion
    EXPECT_NEAR(std::sqrt(earth.x * earth.x + earth.y * earth.y + earth.z * earth.z), earth.w, 1e-3);
    // In the ecliptic: the equatorial z and y are the ecliptic y turned by the obliquity.
    const double eps = MeanObliquity(kEpoch);
    EXPECT_NEAR(earth.z, earth.y * std::tan(eps), 1e-3);
    // Ecliptic longitude w + v, with v small just after perihelion.
    const PlanetElementRow& row = PlanetElements[PlanetRow(kEarth)];
    const double longitude = NormalizeAngle(std::atan2(earth.y / std::cos(eps), earth.x));
    EXPECT_NEAR(longitude, NormalizeAngle(row.argPerihelion + row.meanAnomaly), 0.001);
    // Seen from the Earth the Sun stands near 105 degrees of longitude in early January.
    EXPECT_NEAR(NormalizeAngle(longitude + kPi) / kDegree, 285.0, 1.0);
}

TEST(PlanetHeliocentric, DistancesAndInclinations) {
    for (int16_t code = 1; code <= 8; ++code) {
        const PlanetElementRow& row = PlanetElements[PlanetRow(code)];
        for (double jd = kEpoch - 20000.0; jd < kEpoch + 20000.0; jd += 997.0) {
            Vector4 p;
            ASSERT_TRUE(PlanetHeliocentric(jd, code, p));
            const double r = p.w / kAu;
            ASSERT_GE(r, row.semiMajorAxis * (1.0 - row.eccentricity) - 1e-9) << code;
            ASSERT_LE(r, row.semiMajorAxis * (1.0 + row.eccentricity) + 1e-9) << code;
            // Back to the ecliptic: the latitude never exceeds the inclination.
            const double eps = MeanObliquity(kEpoch);
            const double zEcliptic = p.z * std::cos(eps) - p.y * std::sin(eps);
            ASSERT_LE(std::fabs(std::asin(zEcliptic / p.w)), row.inclination + 1e-9) << code;
        }
    }
}

TEST(PlanetHeliocentric, InnerPlanetsKeepCloseToTheSun) {
    // Greatest elongations: Mercury about 28 degrees, Venus about 47 degrees.
    double mercuryMax = 0.0, venusMax = 0.0;
    for (double jd = 2451545.0; jd < 2451545.0 + 3000.0; jd += 2.0) {
        Vector4 earth, mercury, venus;
        PlanetHeliocentric(jd, kEarth, earth);
        PlanetHeliocentric(jd, kMercury, mercury);
        PlanetHeliocentric(jd, kVenus, venus);
        const Vector4 sun{-earth.x, -earth.y, -earth.z, 0.0};
        const Vector4 m{mercury.x - earth.x, mercury.y - earth.y, mercury.z - earth.z, 0.0};
        const Vector4 v{venus.x - earth.x, venus.y - earth.y, venus.z - earth.z, 0.0};
        mercuryMax = std::fmax(mercuryMax, angleBetween(sun, m));
        venusMax = std::fmax(venusMax, angleBetween(sun, v));
    }
    EXPECT_NEAR(mercuryMax / kDegree, 27.5, 1.0);
    EXPECT_NEAR(venusMax / kDegree, 47.0, 1.0);
}

TEST(PlanetHeliocentric, JupiterOppositionOf2023) {
    // Jupiter was at opposition on 2023 November 3: opposite the Sun seen from the Earth.
    const double jd = 2460251.5;
    Vector4 earth, jupiter;
    PlanetHeliocentric(jd, kEarth, earth);
    PlanetHeliocentric(jd, kJupiter, jupiter);
    const Vector4 sun{-earth.x, -earth.y, -earth.z, 0.0};
    const Vector4 j{jupiter.x - earth.x, jupiter.y - earth.y, jupiter.z - earth.z, 0.0};
    EXPECT_GT(angleBetween(sun, j) / kDegree, 175.0);
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
