#include "observe/eclipse.hpp"

#include <cmath>

#include <gtest/gtest.h>

using namespace vantrek;

namespace {

constexpr double kAu = 149597870.691;

// A satellite at `radius` whose direction to the Earth's centre makes the
// angle `separation` with the direction to the Sun on the +x axis.
Vector4 satelliteAt(double radius, double separation) {
    return {-radius * std::cos(separation), -radius * std::sin(separation), 0.0, radius};
}

}  // namespace

TEST(Eclipse, EarthDiscMustCoverTheWholeSunDisc) {
    const Vector4 sun{kAu, 0.0, 0.0, kAu};
    const double radius = 7000.0;
    const double earthDisc = std::asin(6378.135 / radius);
    const double sunDisc = std::asin(696000.0 / (kAu + radius));  // nearly; the edge has slack

    double depth = 0.0;
    EXPECT_EQ(IsEclipsed(satelliteAt(radius, 0.0), sun, depth), 1);  // straight behind the Earth
    EXPECT_NEAR(depth, earthDisc - sunDisc, 1e-6);

    // Just inside the full shadow, then in the half shadow where part of the Sun shows.
    EXPECT_EQ(IsEclipsed(satelliteAt(radius, earthDisc - sunDisc - 1e-4), sun, depth), 1);
    EXPECT_NEAR(depth, 1e-4, 1e-6);
    EXPECT_EQ(IsEclipsed(satelliteAt(radius, earthDisc - sunDisc + 1e-4), sun, depth), 0);
    EXPECT_EQ(IsEclipsed(satelliteAt(radius, earthDisc), sun, depth), 0);
    EXPECT_NEAR(depth, -sunDisc, 1e-6);

    // On the day side the depth is strongly negative.
    EXPECT_EQ(IsEclipsed(satelliteAt(radius, M_PI), sun, depth), 0);
    EXPECT_NEAR(depth, earthDisc - sunDisc - M_PI, 1e-6);
}

TEST(Eclipse, FarSatelliteSeesTheSunLargerAndIsNeverEclipsed) {
    const Vector4 sun{kAu, 0.0, 0.0, kAu};
    double depth = 42.0;
    EXPECT_EQ(IsEclipsed(satelliteAt(2.0e6, 0.0), sun, depth), 0);
    EXPECT_EQ(depth, 42.0);  // left as it was
}
