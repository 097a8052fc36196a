#include <cmath>

#include <gtest/gtest.h>

#include "astro/constants.hpp"
#include "astro/projections.hpp"

using namespace vantrek;

TEST(MapPixel, EquirectangularWithRewrittenLongitude) {
    // A 900 x 450 map. The Moon's right ascension minus sidereal time can lie
    // anywhere in (-2 pi, 2 pi); pi and -pi themselves stay: the map's edges.
    const struct {
        double latitude, longitude, reduced;
        int32_t x, y;
    } cases[] = {{0.0, 1.5 * kPi, -0.5 * kPi, 225, 225}, {0.0, -1.5 * kPi, 0.5 * kPi, 675, 225},
                 {0.0, 5.0 * kPi + 0.1, -kPi + 0.1, 14, 225}, {kHalfPi, kPi, kPi, 900, 0}, {0.0, -kPi, -kPi, 0, 225},
                 {-kHalfPi, 0.25 * kPi, 0.25 * kPi, 562, 450}};  // 900/8 + 450, truncated
    for (const auto& c : cases) {
        PixelPoint p;
        double lon = c.longitude;
        ASSERT_TRUE(MapPixel(c.latitude, lon, 900, 450, p));
        EXPECT_NEAR(lon, c.reduced, 1e-12) << c.longitude;
        EXPECT_EQ(p.x, c.x) << c.longitude;
        EXPECT_EQ(p.y, c.y) << c.longitude;
    }
}

TEST(Projections, NonFiniteInputIsNeverConvertedToAPixel) {
    PixelPoint p;
    double lon = NAN;
    EXPECT_FALSE(MapPixel(0.2, lon, 900, 450, p));
    EXPECT_EQ(p.x, kPixelOffscreen);
    EXPECT_EQ(p.y, kPixelOffscreen);
    lon = 0.2;
    EXPECT_FALSE(MapPixel(INFINITY, lon, 900, 450, p));
    lon = 0.2;
    EXPECT_TRUE(MapPixel(1e300, lon, 900, 450, p));  // finite but absurd: limited, not overflowed
    EXPECT_EQ(p.y, -kPixelLimit);
    LookAngles look;
    look.azimuth = NAN;
    EXPECT_FALSE(SkyChartPixel(ScreenVector{1.0, 0.0}, ScreenVector{0.0, 1.0}, look, 200, 210, 0, p));
    EXPECT_EQ(p.x, kPixelOffscreen);
}

TEST(FootprintPoint, EquatorialCirclePolarCapAndBuriedSatellite) {
    GeodeticPoint g;
    g.height = 800.0;
    // From 800 km the horizon lies 27.3 degrees of arc away: 273 pixels on a
    // 3600 x 1800 map (ten pixels per degree).
    const double e = 273.0;
    // Bearings up to 180 degrees go to the west of the map; beyond, to the east.
    const struct {
        double bearing, x, y;
    } cases[] = {{0.0, 1800, 900 - e}, {90.0, 1800 - e, 900}, {180.0, 1800, 900 + e}, {270.0, 1800 + e, 900}};
    for (const auto& c : cases) {
        PixelPoint p;
        ASSERT_TRUE(FootprintPoint(g, c.bearing, 3600, 1800, p));
        EXPECT_NEAR(p.x, c.x, 1.0) << c.bearing;
        EXPECT_NEAR(p.y, c.y, 1.0) << c.bearing;
    }
    g.latitude = 80.0 * kDegree;
    g.longitude = 0.3;
    g.height = 3000.0;  // the circle reaches past the pole
    PixelPoint p;
    ASSERT_TRUE(FootprintPoint(g, 0.0, 3600, 1800, p));
    // Beyond the pole: longitude turned by half a turn.
    EXPECT_NEAR(p.x, (0.3 + kPi - kTwoPi) / kDegree * 10.0 + 1800, 1.0);

    g.height = -5.0;  // decayed below the surface: no circle, the point itself
    ASSERT_TRUE(FootprintPoint(g, 45.0, 3600, 1800, p));
    EXPECT_NEAR(p.y, 900 - 800, 1);
    EXPECT_NEAR(p.x, 0.3 / kDegree * 10.0 + 1800, 1);
}

// Vega from 40 N, 75 W at 2024-08-01 02:00 UTC, worked out by hand from its
// catalogue place (RA 18h 36m 56.3s, Dec +38 47' 01") with the IAU 1982
// sidereal time: hour angle -14.1 degrees, azimuth 91.9, elevation 79.1. It
// lies 10.9 degrees from the zenith, 24.2 pixels out: 24.2 east of the centre
// and 0.8 to the south, each cut toward the centre; never mirrored. Looking
// up, east is on the left with north at the top, on the right with north at
// the bottom.
TEST(SkyChartPixel, ZenithHorizonOrientationAndRim) {
    // Identity matrix, radius 200, centre row 210.
    const struct {
        double azimuth, elevation;
        int32_t snToNs, x, y;
    } cases[] = {{0.0, kHalfPi, 0, 200, 210},        // zenith at the centre
                 {0.0, 0.0, 0, 200, 410},            // north at the bottom
                 {0.0, 0.0, 1, 200, 10},             // north at the top
                 {kHalfPi, 0.0, 0, 400, 210},        // then east on the right
                 {kHalfPi, 0.0, 1, 0, 210},          // and on the left, as overhead
                 {kPi, kHalfPi / 2.0, 1, 200, 310},  // south, halfway out
                 {3.0 * kHalfPi, -0.3, 0, 0, 210},   // below the horizon: on the rim
                 {91.9 * kDegree, 79.1 * kDegree, 0, 224, 210}};  // Vega
    const ScreenVector east{1.0, 0.0}, north{0.0, 1.0};
    for (const auto& c : cases) {
        LookAngles look;
        look.azimuth = c.azimuth;
        look.elevation = c.elevation;
        PixelPoint p;
        ASSERT_TRUE(SkyChartPixel(east, north, look, 200, 210, c.snToNs, p));
        EXPECT_EQ(p.x, c.x) << c.azimuth << " " << c.elevation;
        EXPECT_EQ(p.y, c.y) << c.azimuth << " " << c.elevation;
    }
}
