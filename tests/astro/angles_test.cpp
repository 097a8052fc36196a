#include "astro/angles.hpp"

#include <cmath>

#include <gtest/gtest.h>

#include "astro/constants.hpp"
#include "astro/sidereal_time.hpp"

using namespace vantrek;

TEST(Angles, NormalizeAngle) {
    EXPECT_EQ(NormalizeAngle(1.25), 1.25);  // in range: unchanged
    EXPECT_NEAR(NormalizeAngle(kTwoPi), 0.0, 1e-15);
    for (double a = -50.0; a < 50.0; a += 0.37) {
        const double n = NormalizeAngle(a);
        ASSERT_TRUE(n >= 0.0 && n < kTwoPi) << a;
        ASSERT_NEAR(std::sin(n), std::sin(a), 1e-12);
    }
}

TEST(Angles, AngleFromSinCosArcSinAndAngleBetween) {
    // The axes: y = 0 with x > 0 gives 2 pi; x = 0 gives pi/2 or 3 pi/2.
    EXPECT_DOUBLE_EQ(AngleFromSinCos(0.0, 1.0), kTwoPi);
    EXPECT_DOUBLE_EQ(AngleFromSinCos(0.0, 0.0), 3.0 * kHalfPi);
    EXPECT_DOUBLE_EQ(AngleFromSinCos(2.0, 0.0), kHalfPi);
    for (double a = 0.05; a < kTwoPi; a += 0.1) {
        EXPECT_NEAR(AngleFromSinCos(5.0 * std::sin(a), 5.0 * std::cos(a)), a, 1e-12);
    }
    EXPECT_DOUBLE_EQ(ArcSinClamped(1.0000001), kHalfPi);
    EXPECT_NEAR(ArcSinClamped(-0.999999), std::asin(-0.999999), 1e-12);

    Vector4 a{3.0, 0.0, 4.0, 0.0}, b{0.0, 2.0, 0.0, 99.0}, c{-6.0, 0.0, -8.0, 0.0};
    EXPECT_NEAR(AngleBetween(a, b), kHalfPi, 1e-15);
    EXPECT_DOUBLE_EQ(a.w, 5.0);  // lengths written back
    EXPECT_DOUBLE_EQ(b.w, 2.0);
    EXPECT_NEAR(AngleBetween(a, c), kPi, 1e-12);
}

TEST(SiderealTime, J2000AndDailyAdvance) {
    EXPECT_NEAR(GreenwichSiderealAngle(2451545.0), 4.8949612, 5e-8);  // 280.4606 degrees
    // One solar day later the sidereal angle has gained about 0.9856 degrees.
    const double gain = NormalizeAngle(GreenwichSiderealAngle(2460000.25) - GreenwichSiderealAngle(2459999.25));
    EXPECT_NEAR(gain / kDegree, 0.98565, 1e-4);
}
