#include <cmath>

#include <gtest/gtest.h>

#include "astro/angles.hpp"
#include "astro/constants.hpp"
#include "astro/geodetic.hpp"
#include "astro/look_angles.hpp"
#include "astro/observer.hpp"
#include "astro/refraction.hpp"
#include "astro/sidereal_time.hpp"
#include "sky_geometry.hpp"

using namespace vantrek;
using vantrek::testing::bodyAt;
using vantrek::testing::siderealZeroDate;

namespace {
constexpr double kArcmin = kDegree / 60.0;
const double kJd = 2460000.3;  // an arbitrary instant in 2023
}  // namespace

TEST(ObserverEci, EquatorAtSiderealZero) {
    Observer o;
    o.latitude = o.longitude = o.height = 0.0;
    Vector4 p, v;
    const double speed = ObserverEci(siderealZeroDate(), o, p, v);
    EXPECT_NEAR(std::sin(o.theta), 0.0, 1e-8);
    EXPECT_NEAR(p.x, 6378.135, 1e-4);
    EXPECT_NEAR(p.y, 0.0, 1e-4);
    EXPECT_NEAR(p.z, 0.0, 1e-12);
    EXPECT_NEAR(p.w, 6378.135, 1e-4);
    EXPECT_NEAR(v.x, 0.0, 1e-4);
    EXPECT_NEAR(v.y, 0.4651, 5e-5);
    EXPECT_EQ(v.z, 0.0);
    EXPECT_DOUBLE_EQ(speed, v.w);
}

TEST(ObserverEci, PoleAndStartUpObserver) {
    Observer pole;
    pole.latitude = kHalfPi;
    pole.height = 1.0;
    Vector4 p, v;
    EXPECT_NEAR(ObserverEci(kJd, pole, p, v), 0.0, 1e-12);
    EXPECT_NEAR(p.z, 6356.750320950801 + 1.0, 1e-6);  // polar radius plus height

    Observer home;  // 54.3023 N 10.1247 E, 0.03 km
    ObserverEci(kJd, home, p, v);
    EXPECT_NEAR(home.theta, NormalizeAngle(GreenwichSiderealAngle(kJd) + home.longitude), 1e-15);
    EXPECT_NEAR(p.w, 6364.3, 0.5);  // geocentric radius near 54 degrees
}

TEST(ComputeLookAngles, RecoversAzimuthElevationAndRange) {
    Observer o;
    for (double az : {0.1, 1.0, 2.5, 3.3, 4.0, 5.9}) {
        for (double el : {0.05, 0.4, 1.2}) {
            const Vector4 p = bodyAt(kJd, o, az, el, 1500.0);
            LookAngles look;
            ASSERT_TRUE(ComputeLookAngles(kJd, p, Vector4{}, o, look, 0, 0));
            EXPECT_NEAR(look.azimuth, az, 1e-9);
            EXPECT_NEAR(look.elevation, el, 1e-9);
            EXPECT_NEAR(look.range, 1500.0, 1e-6);
        }
    }
}

TEST(ComputeLookAngles, RangeRateIsRelativeToTheTurningEarth) {
    Observer o;
    Vector4 site, siteVelocity;
    ObserverEci(kJd, o, site, siteVelocity);
    const Vector4 p = bodyAt(kJd, o, 2.0, 0.7, 800.0);
    // Moving straight away from the observer at 3 km/s, on top of the site's own motion.
    Vector4 v{siteVelocity.x + 3.0 * (p.x - site.x) / 800.0, siteVelocity.y + 3.0 * (p.y - site.y) / 800.0,
              siteVelocity.z + 3.0 * (p.z - site.z) / 800.0, 0.0};
    LookAngles look;
    ASSERT_TRUE(ComputeLookAngles(kJd, p, v, o, look, 1, 0));
    EXPECT_NEAR(look.rangeRate, 3.0, 1e-9);
    // A body fixed in inertial space drifts relative to the site.
    ASSERT_TRUE(ComputeLookAngles(kJd, p, Vector4{}, o, look, 1, 0));
    EXPECT_GT(std::fabs(look.rangeRate), 0.01);
}

TEST(ComputeLookAngles, ZenithSaturatesWithAFiniteAzimuth) {
    Observer o;
    Vector4 site, siteVelocity;
    ObserverEci(kJd, o, site, siteVelocity);
    const Vector4 p = bodyAt(kJd, o, 0.0, kHalfPi, 400.0);
    LookAngles look;
    ASSERT_TRUE(ComputeLookAngles(kJd, p, Vector4{}, o, look, 0, 0));
    EXPECT_NEAR(look.elevation, kHalfPi, 1e-7);

    // Near the zenith refraction may lower the elevation by a few hundredths of an arcminute.
    ASSERT_TRUE(ComputeLookAngles(kJd, p, Vector4{}, o, look, 0, 1));
    EXPECT_NEAR(look.elevation, kHalfPi, 0.1 * kArcmin);

    // A body at the observer itself has no bearing: azimuth 0, never NaN.
    ASSERT_TRUE(ComputeLookAngles(kJd, site, Vector4{}, o, look, 1, 0));
    EXPECT_EQ(look.azimuth, 0.0);
}

TEST(ComputeLookAngles, KeepAndRefractionBelowTheHorizon) {
    Observer o;
    LookAngles look;
    look.azimuth = look.rangeRate = 99.0;
    const Vector4 low = bodyAt(kJd, o, 1.0, -0.1 * kDegree, 2000.0);
    const Vector4 moving{0.0, 7.0, 1.0, 0.0};
    EXPECT_FALSE(ComputeLookAngles(kJd, low, moving, o, look, 0, 0));
    EXPECT_EQ(look.azimuth, 0.0);
    EXPECT_EQ(look.rangeRate, 0.0);
    EXPECT_NEAR(look.elevation, -0.1 * kDegree, 1e-9);
    EXPECT_NEAR(look.range, 2000.0, 1e-6);

    // keep = 1 completes the angles below the horizon.
    EXPECT_TRUE(ComputeLookAngles(kJd, low, moving, o, look, 1, 0));
    EXPECT_NEAR(look.azimuth, 1.0, 1e-9);
    EXPECT_NE(look.rangeRate, 0.0);

    // Refraction lifts -0.3 degree by about 31.6' to an apparent +0.23 degree.
    const Vector4 lifted = bodyAt(kJd, o, 1.0, -0.3 * kDegree, 2000.0);
    EXPECT_TRUE(ComputeLookAngles(kJd, lifted, moving, o, look, 0, 1));
    EXPECT_NEAR(look.elevation / kDegree, 0.227, 0.005);
    EXPECT_NEAR(look.azimuth, 1.0, 1e-9);

    // Below -0.5 degree nothing is refracted.
    const Vector4 deep = bodyAt(kJd, o, 1.0, -0.6 * kDegree, 2000.0);
    EXPECT_FALSE(ComputeLookAngles(kJd, deep, moving, o, look, 0, 1));
    EXPECT_NEAR(look.elevation, -0.6 * kDegree, 1e-9);
}

TEST(ApplyRefraction, PublishedFigures) {
    struct Case {
        double trueDeg, liftArcmin, tolerance;
    };
    const Case cases[] = {{0.0, 28.9, 0.1}, {-0.3, 31.6, 0.1}, {5.0, 9.6, 0.1}, {10.0, 5.3, 0.1}, {45.0, 0.97, 0.02}};
    for (const Case& c : cases) {
        LookAngles look;
        look.elevation = c.trueDeg * kDegree;
        look.azimuth = 1.25;
        ApplyRefraction(look);
        EXPECT_NEAR((look.elevation - c.trueDeg * kDegree) / kArcmin, c.liftArcmin, c.tolerance) << c.trueDeg;
        EXPECT_EQ(look.azimuth, 1.25);
    }
    // Near the zenith the correction is a few hundredths of an arcminute, either sign.
    for (double deg : {85.0, 89.0, 90.0}) {
        LookAngles look;
        look.elevation = deg * kDegree;
        ApplyRefraction(look);
        EXPECT_LT(std::fabs(look.elevation - deg * kDegree) / kArcmin, 0.1) << deg;
    }
    // The lift falls steadily from the horizon upwards.
    double previous = 1e9;
    for (double deg = -0.5; deg <= 60.0; deg += 0.5) {
        LookAngles look;
        look.elevation = deg * kDegree;
        ApplyRefraction(look);
        const double lift = look.elevation - deg * kDegree;
        EXPECT_LT(lift, previous) << deg;
        previous = lift;
    }
}

TEST(GeodeticFromEci, EquatorAtSiderealZero) {
    GeodeticPoint g;
    const int passes = GeodeticFromEci(siderealZeroDate(), Vector4{6378.135, 0.0, 0.0, 0.0}, g);
    EXPECT_GE(passes, 1);
    EXPECT_LE(passes, 2);
    EXPECT_NEAR(g.latitude, 0.0, 1e-12);
    EXPECT_NEAR(std::sin(g.longitude), 0.0, 1e-8);
    EXPECT_NEAR(std::cos(g.longitude), 1.0, 1e-9);
    EXPECT_NEAR(g.height, 0.0, 1e-6);
}

TEST(GeodeticFromEci, RoundTripInBothHemispheres) {
    for (double latDeg : {-89.0, -54.3, -12.0, 0.5, 33.3, 71.0}) {
        for (double lonDeg : {-170.0, -20.0, 10.1247, 135.0}) {
            for (double height : {0.0, 420.0, 35786.0}) {
                Observer o;
                o.latitude = latDeg * kDegree;
                o.longitude = lonDeg * kDegree;
                o.height = height;
                Vector4 p, v;
                ObserverEci(kJd, o, p, v);
                GeodeticPoint g;
                const int passes = GeodeticFromEci(kJd, p, g);
                EXPECT_LE(passes, 10);
                EXPECT_NEAR(g.latitude, o.latitude, 1e-6) << latDeg << " " << lonDeg << " " << height;
                EXPECT_NEAR(g.longitude, NormalizeAngle(o.longitude), 1e-9);
                EXPECT_NEAR(g.height, height, 0.01);
                EXPECT_EQ(g.latitude < 0.0, latDeg < 0.0);
                EXPECT_NEAR(g.rightAscension, o.theta, 1e-9);
            }
        }
    }
}
