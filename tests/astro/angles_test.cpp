#include "astro/angles.hpp"

#include <cmath>

#include <gtest/gtest.h>

#include "astro/constants.hpp"
#include "astro/sidereal_time.hpp"

using namespace vantrek;

TEST(Angles, NormalizeAngle) {
    EXPECT_EQ(NormalizeAngle(1.25), 1.25);
    EXPECT_EQ(NormalizeAngle(0.0), 0.0);
    EXPECT_NEAR(NormalizeAngle(kTwoPi), 0.0, 1e-15);
    EXPECT_NEAR(NormalizeAngle(-0.5), kTwoPi - 0.5, 1e-12);
    EXPECT_NEAR(NormalizeAngle(7.0 * kTwoPi + 1.0), 1.0, 1e-12);
    EXPECT_NEAR(NormalizeAngle(-9.0 * kTwoPi - 1.0), kTwoPi - 1.0, 1e-12);
    for (double a = -50.0; a < 50.0; a += 0.37) {
        const double n = NormalizeAngle(a);
        ASSERT_GE(n, 0.0);
        ASSERT_LT(n, kTwoPi);
        ASSERT_NEAR(std::sin(n), std::sin(a), 1e-12);
    }
}

TEST(Angles, AngleFromSinCosQuadrantsAndAxes) {
    EXPECT_DOUBLE_EQ(AngleFromSinCos(0.0, 1.0), kTwoPi);
    EXPECT_DOUBLE_EQ(AngleFromSinCos(0.0, 0.0), 3.0 * kHalfPi);
    EXPECT_DOUBLE_EQ(AngleFromSinCos(-1.0, 0.0), 3.0 * kHalfPi);
    EXPECT_DOUBLE_EQ(AngleFromSinCos(2.0, 0.0), kHalfPi);
    EXPECT_NEAR(AngleFromSinCos(0.0, -3.0), kPi, 1e-15);
    for (double a = 0.05; a < kTwoPi; a += 0.1) {
        EXPECT_NEAR(AngleFromSinCos(5.0 * std::sin(a), 5.0 * std::cos(a)), a, 1e-12);
    }
}

TEST(Angles, ArcSinClampedSaturates) {
    EXPECT_DOUBLE_EQ(ArcSinClamped(1.0000001), kHalfPi);
    EXPECT_DOUBLE_EQ(ArcSinClamped(-1.0), -kHalfPi);
    EXPECT_NEAR(ArcSinClamped(0.5), std::asin(0.5), 1e-15);
    EXPECT_NEAR(ArcSinClamped(-0.999999), std::asin(-0.999999), 1e-12);
}

TEST(Angles, AngleBetweenWritesLengths) {
    Vector4 a{3.0, 0.0, 4.0, 0.0};
    Vector4 b{0.0, 2.0, 0.0, 99.0};
    EXPECT_NEAR(AngleBetween(a, b), kHalfPi, 1e-15);
    EXPECT_DOUBLE_EQ(a.w, 5.0);
    EXPECT_DOUBLE_EQ(b.w, 2.0);
    Vector4 c{-6.0, 0.0, -8.0, 0.0};
    EXPECT_NEAR(AngleBetween(a, c), kPi, 1e-12);
    Vector4 d{1.0, 1.0, 0.0, 0.0}, e{1.0, 0.0, 0.0, 0.0};
    EXPECT_NEAR(AngleBetween(d, e), kPi / 4.0, 1e-12);
}

TEST(SiderealTime, J2000AndDailyAdvance) {
    EXPECT_NEAR(GreenwichSiderealAngle(2451545.0), 4.8949612, 5e-8);
    EXPECT_NEAR(GreenwichSiderealAngle(2451545.0) / kDegree, 280.4606, 5e-5);
    // One solar day later the sidereal angle has gained about 0.9856 degrees.
    const double gain = NormalizeAngle(GreenwichSiderealAngle(2460000.25) - GreenwichSiderealAngle(2459999.25));
    EXPECT_NEAR(gain / kDegree, 0.98565, 1e-4);
    for (double jd = 2440000.0; jd < 2470000.0; jd += 1234.567) {
        const double g = GreenwichSiderealAngle(jd);
        ASSERT_GE(g, 0.0);
        ASSERT_LT(g, kTwoPi);
    }
}
