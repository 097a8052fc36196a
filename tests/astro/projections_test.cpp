#include <cmath>

#include <gtest/gtest.h>

#include "astro/constants.hpp"
#include "astro/projections.hpp"

using namespace vantrek;

TEST(ArcCosHalfPlane, ZeroAndSigns) {
    EXPECT_EQ(ArcCosHalfPlane(0.0, 0.5), 0.0);
    EXPECT_EQ(ArcCosHalfPlane(0.3, 0.0), 0.0);
    EXPECT_NEAR(ArcCosHalfPlane(0.5, 1.0), kPi / 3.0, 1e-15);
    EXPECT_NEAR(ArcCosHalfPlane(0.5, -1.0), std::acos(-0.5) + kPi, 1e-15);
}

TEST(MapPixel, EquirectangularWithRewrittenLongitude) {
    PixelPoint p;
    double lon = 0.0;
    ASSERT_TRUE(MapPixel(0.0, lon, 900, 450, p));
    EXPECT_EQ(p.x, 450);
    EXPECT_EQ(p.y, 225);

    lon = 1.5 * kPi;
    ASSERT_TRUE(MapPixel(0.0, lon, 900, 450, p));
    EXPECT_NEAR(lon, -0.5 * kPi, 1e-12);
    EXPECT_EQ(p.x, 225);

    lon = kPi;  // pi itself stays: the right edge
    MapPixel(kHalfPi, lon, 900, 450, p);
    EXPECT_EQ(lon, kPi);
    EXPECT_EQ(p.x, 900);
    EXPECT_EQ(p.y, 0);

    double south = 0.25 * kPi;
    MapPixel(-kHalfPi, south, 900, 450, p);
    EXPECT_EQ(p.y, 450);
    EXPECT_EQ(p.x, 562);  // 900/8 + 450, truncated
}

TEST(MapPixel, UnreducedLongitudesStayOnTheMap) {
    // The Moon's right ascension minus sidereal time can lie anywhere in (-2 pi, 2 pi).
    PixelPoint p;
    double lon = -1.5 * kPi;
    ASSERT_TRUE(MapPixel(0.0, lon, 800, 400, p));
    EXPECT_NEAR(lon, 0.5 * kPi, 1e-12);
    EXPECT_EQ(p.x, 600);
    lon = -kPi;  // the left edge stays as it is
    MapPixel(0.0, lon, 800, 400, p);
    EXPECT_EQ(lon, -kPi);
    EXPECT_EQ(p.x, 0);
    lon = 5.0 * kPi + 0.1;
    MapPixel(0.0, lon, 800, 400, p);
    EXPECT_NEAR(lon, -kPi + 0.1, 1e-12);
    EXPECT_GE(p.x, 0);
    EXPECT_LT(p.x, 800);
}

TEST(MapPixel, NonFiniteInputIsNeverConvertedToAPixel) {
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
}

TEST(FootprintPoint, CircleAroundAnEquatorialSubPoint) {
    GeodeticPoint g;
    g.height = 800.0;
    const double e = std::acos(6378.135 / (6378.135 + 800.0)) * 12756.33 * 0.5 / 6378.135;
    const int w = 3600, h = 1800;  // ten pixels per degree
    PixelPoint north, east, south, west;
    ASSERT_TRUE(FootprintPoint(g, 0.0, w, h, north));
    FootprintPoint(g, 90.0, w, h, east);
    FootprintPoint(g, 180.0, w, h, south);
    FootprintPoint(g, 270.0, w, h, west);
    EXPECT_NEAR(north.y, 900 - e / kDegree * 10.0, 1.0);
    EXPECT_NEAR(north.x, 1800, 1);
    EXPECT_NEAR(south.y, 900 + e / kDegree * 10.0, 1.0);
    // Bearings up to 180 degrees go to the west of the map; beyond, to the east.
    EXPECT_NEAR(east.x, 1800 - e / kDegree * 10.0, 1.0);
    EXPECT_NEAR(west.x, 1800 + e / kDegree * 10.0, 1.0);
    EXPECT_NEAR(east.y, 900, 1);
}

TEST(FootprintPoint, PolarCapAndBuriedSatellite) {
    GeodeticPoint g;
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

TEST(SkyChartPixel, ZenithHorizonAndOrientation) {
    const ScreenVector east{1.0, 0.0}, north{0.0, 1.0};
    PixelPoint p;
    LookAngles look;
    look.elevation = kHalfPi;
    ASSERT_TRUE(SkyChartPixel(east, north, look, 200, 210, 0, p));
    EXPECT_EQ(p.x, 200);
    EXPECT_EQ(p.y, 210);

    look.elevation = 0.0;
    look.azimuth = 0.0;  // north on the horizon
    SkyChartPixel(east, north, look, 200, 210, 0, p);
    EXPECT_EQ(p.y, 410);  // north at the bottom
    SkyChartPixel(east, north, look, 200, 210, 1, p);
    EXPECT_EQ(p.y, 10);  // north at the top

    look.azimuth = kHalfPi;  // east on the horizon: left with the identity matrix
    SkyChartPixel(east, north, look, 200, 210, 0, p);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 210);

    look.azimuth = kPi;
    look.elevation = kHalfPi / 2.0;
    SkyChartPixel(east, north, look, 200, 210, 1, p);
    EXPECT_EQ(p.x, 200);
    EXPECT_EQ(p.y, 310);  // south, halfway out
}

TEST(SkyChartPixel, BelowTheHorizonGoesOnTheRim) {
    const ScreenVector east{1.0, 0.0}, north{0.0, 1.0};
    LookAngles look;
    look.azimuth = 3.0 * kHalfPi;  // west
    look.elevation = -0.3;
    PixelPoint p;
    ASSERT_TRUE(SkyChartPixel(east, north, look, 150, 150, 0, p));
    EXPECT_EQ(look.elevation, 0.0);
    EXPECT_EQ(p.x, 300);
    EXPECT_EQ(p.y, 150);

    look.azimuth = NAN;
    EXPECT_FALSE(SkyChartPixel(east, north, look, 150, 150, 0, p));
    EXPECT_EQ(p.x, kPixelOffscreen);
}
