#include <cmath>

#include <gtest/gtest.h>

#include "astro/angles.hpp"
#include "astro/constants.hpp"
#include "astro/geodetic.hpp"
#include "astro/look_angles.hpp"
#include "astro/observer.hpp"
#include "astro/refraction.hpp"

using namespace vantrek;

namespace {

constexpr double kArcmin = kDegree / 60.0;
const double kJd = 2460000.3;  // an arbitrary instant in 2023

// Inertial position of a body seen from the observer at azimuth/elevation
// (rad, about the ellipsoid normal) and range (km), built independently of
// the look-angle routine.
Vector4 bodyAt(double jd, Observer observer, double azimuth, double elevation, double range) {
    Vector4 site, siteVelocity;
    ObserverEci(jd, observer, site, siteVelocity);
    const double sp = std::sin(observer.latitude), cp = std::cos(observer.latitude);
    const double st = std::sin(observer.theta), ct = std::cos(observer.theta);
    const double south = -std::cos(azimuth) * std::cos(elevation) * range;
    const double east = std::sin(azimuth) * std::cos(elevation) * range;
    const double up = std::sin(elevation) * range;
    return Vector4{site.x + south * sp * ct - east * st + up * cp * ct,
                   site.y + south * sp * st + east * ct + up * cp * st, site.z - south * cp + up * sp, 0.0};
}

}  // namespace

TEST(ObserverEci, EquatorAndStartUpObserver) {
    Observer o;
    o.latitude = o.longitude = o.height = 0.0;
    Vector4 p, v;
    const double speed = ObserverEci(kJd, o, p, v);
    EXPECT_NEAR(p.w, 6378.135, 1e-4);
    EXPECT_NEAR(p.z, 0.0, 1e-9);
    EXPECT_NEAR(speed, 0.4651, 5e-5);  // the equator's speed, km/s
    Observer home;  // 54.3023 N 10.1247 E, 0.03 km
    ObserverEci(kJd, home, p, v);
    EXPECT_NEAR(p.w, 6364.3, 0.5);  // geocentric radius near 54 degrees
}

TEST(ComputeLookAngles, RecoversAzimuthElevationRangeAndRangeRate) {
    Observer o;
    LookAngles look;
    for (double az : {0.1, 2.5, 3.3, 5.9}) {  // one in each quadrant
        for (double el : {0.05, 1.2}) {
            ASSERT_TRUE(ComputeLookAngles(kJd, bodyAt(kJd, o, az, el, 1500.0), Vector4{}, o, look, 0, 0));
            EXPECT_NEAR(look.azimuth, az, 1e-9);
            EXPECT_NEAR(look.elevation, el, 1e-9);
            EXPECT_NEAR(look.range, 1500.0, 1e-6);
        }
    }
    ASSERT_TRUE(ComputeLookAngles(kJd, bodyAt(kJd, o, 0.0, kHalfPi, 400.0), Vector4{}, o, look, 0, 0));
    EXPECT_NEAR(look.elevation, kHalfPi, 1e-7);  // saturates at the zenith

    Vector4 site, siteVelocity;
    ObserverEci(kJd, o, site, siteVelocity);
    const Vector4 p = bodyAt(kJd, o, 2.0, 0.7, 800.0);
    // Moving straight away from the observer at 3 km/s, on top of the site's own motion.
    Vector4 v{siteVelocity.x + 3.0 * (p.x - site.x) / 800.0, siteVelocity.y + 3.0 * (p.y - site.y) / 800.0,
              siteVelocity.z + 3.0 * (p.z - site.z) / 800.0, 0.0};
    ASSERT_TRUE(ComputeLookAngles(kJd, p, v, o, look, 1, 0));
    EXPECT_NEAR(look.rangeRate, 3.0, 1e-9);
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
    // Refraction lifts -0.3 degree to an apparent +0.23 degree; below -0.5 degree nothing is refracted.
    EXPECT_TRUE(ComputeLookAngles(kJd, bodyAt(kJd, o, 1.0, -0.3 * kDegree, 2000.0), moving, o, look, 0, 1));
    EXPECT_NEAR(look.elevation / kDegree, 0.227, 0.005);
    EXPECT_FALSE(ComputeLookAngles(kJd, bodyAt(kJd, o, 1.0, -0.6 * kDegree, 2000.0), moving, o, look, 0, 1));
    EXPECT_NEAR(look.elevation, -0.6 * kDegree, 1e-9);
}

TEST(ApplyRefraction, PublishedFigures) {
    // Near the zenith the correction is a few hundredths of an arcminute, either sign.
    const struct {
        double trueDeg, liftArcmin, tolerance;
    } cases[] = {{0.0, 28.9, 0.1},   {-0.3, 31.6, 0.1}, {5.0, 9.6, 0.1}, {10.0, 5.3, 0.1},
                 {45.0, 0.97, 0.02}, {85.0, 0.0, 0.1},  {89.0, 0.0, 0.1}, {90.0, 0.0, 0.1}};
    for (const auto& c : cases) {
        LookAngles look;
        look.elevation = c.trueDeg * kDegree;
        ApplyRefraction(look);
        EXPECT_NEAR((look.elevation - c.trueDeg * kDegree) / kArcmin, c.liftArcmin, c.tolerance) << c.trueDeg;
    }
}

TEST(GeodeticFromEci, RoundTripInBothHemispheres) {
    for (double latDeg : {-89.0, -54.3, -12.0, 0.5, 33.3, 71.0}) {
        for (double height : {0.0, 420.0, 35786.0}) {
            Observer o;
            o.latitude = latDeg * kDegree;
            o.longitude = (latDeg < 0.0 ? -170.0 : 135.0) * kDegree;  // west and east
            o.height = height;
            Vector4 p, v;
            ObserverEci(kJd, o, p, v);
            GeodeticPoint g;
            EXPECT_LE(GeodeticFromEci(kJd, p, g), 10);
            EXPECT_NEAR(g.latitude, o.latitude, 1e-6) << latDeg << " " << height;
            EXPECT_NEAR(g.longitude, NormalizeAngle(o.longitude), 1e-9);
            EXPECT_NEAR(g.height, height, 0.01);
            EXPECT_NEAR(g.rightAscension, o.theta, 1e-9);
        }
    }
}
