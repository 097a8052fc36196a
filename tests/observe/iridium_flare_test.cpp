#include "observe/iridium_flare.hpp"

#include <cmath>

#include <gtest/gtest.h>

#include "astro/constants.hpp"

using namespace vantrek;

namespace {

constexpr double kAu = 149597870.691;

// A satellite 780 km above an observer on the +x axis, moving along +y, so its
// frame is up = x, along = y, right = -z.
struct Scene {
    Vector4 satellite{7158.135, 0.0, 0.0, 7158.135};
    Vector4 velocity{0.0, 7.45, 0.0, 7.45};

    // The Sun far away in a given direction seen from the satellite.
    Vector4 sunToward(const Vector4& d) const {
        const double k = kAu / std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
        return {satellite.x + k * d.x, satellite.y + k * d.y, satellite.z + k * d.z, kAu};
    }
    double mirrorAngle(const Vector4& sun, const Vector4& observer, int antenna) const {
        FlareResult probe;
        const IridiumAntenna& a = kIridiumAntennas[antenna - 1];
        return MirrorAngle(sun, satellite, velocity, observer, a.pitch, a.yaw, probe);
    }
    double magnitude(const Vector4& sun, const Vector4& observer, FlareResult& flare) const {
        return FlareMagnitude(sun, satellite, velocity, observer, flare);
    }
};

}  // namespace

TEST(FlareBrightness, PublishedFigures) {
    // Reflection straight onto the Sun, whatever the distance and phase.
    for (double height : {300.0, 780.0, 2000.0}) {
        for (double phase : {0.1, 1.5, 3.0}) {
            EXPECT_NEAR(FlareBrightness(height, 0.0, phase), -8.03, 0.005);
        }
    }
    EXPECT_NEAR(FlareBrightness(780.0, 0.5 * kDegree, kHalfPi), -2.32, 0.005);
    EXPECT_NEAR(FlareBrightness(780.0, 2.0 * kDegree, kHalfPi), 0.44, 0.005);
    EXPECT_NEAR(FlareBrightness(780.0, 5.0 * kDegree, kHalfPi), 2.30, 0.005);
    // Phase near pi: the small constant keeps the result finite.
    EXPECT_TRUE(std::isfinite(FlareBrightness(780.0, 1.0 * kDegree, kPi)));
}

TEST(FlareMagnitude, AngleAndPhaseFollowTheSun) {
    // Seen straight from below, the front mirror reflects the sight line 10
    // degrees above the forward horizon.
    Scene scene;
    const Vector4 observer{6378.135, 0.0, 0.0, 6378.135};
    for (double off : {0.0, 3.0}) {
        const double elevation = (10.0 + off) * kDegree;
        const Vector4 sun = scene.sunToward({std::sin(elevation), std::cos(elevation), 0, 0});
        FlareResult flare;
        const double magnitude = scene.magnitude(sun, observer, flare);
        EXPECT_EQ(flare.antenna, 1);
        EXPECT_NEAR(flare.angle, off * kDegree, 1e-7);
        EXPECT_NEAR(flare.phaseAngle, kHalfPi + elevation, 1e-7);
        EXPECT_NEAR(magnitude, FlareBrightness(780.0, off * kDegree, flare.phaseAngle), 1e-6);
    }
}

TEST(FlareMagnitude, WithoutAFlareTheClosestAntennaLowerNumberOnTies) {
    Scene scene;
    FlareResult flare;
    // Observer ahead of the satellite on its path: behind the front mirror, and
    // the left and right mirrors see it symmetrically.
    Vector4 observer{scene.satellite.x, -1500.0, 0.0, 0.0};
    Vector4 sun = scene.sunToward({-1.0, 0.2, 0.0, 0});
    ASSERT_EQ(scene.mirrorAngle(sun, observer, 2), scene.mirrorAngle(sun, observer, 3));
    EXPECT_EQ(scene.magnitude(sun, observer, flare), 100.0);
    EXPECT_EQ(flare.antenna, 2);
    EXPECT_GT(flare.angle, kFlareThreshold);
    EXPECT_LT(flare.angle, kObserverBehindMirror);

    // Looking down on the satellite every mirror faces away; the phase stays as it was.
    observer = {scene.satellite.x + 1000.0, 0.0, 0.0, 0.0};
    sun = scene.sunToward({1.0, 0.3, 0.1, 0});
    flare.phaseAngle = 1.234;
    EXPECT_EQ(scene.magnitude(sun, observer, flare), 100.0);
    EXPECT_EQ(flare.antenna, 1);
    EXPECT_EQ(flare.angle, kObserverBehindMirror);
    EXPECT_EQ(flare.phaseAngle, 1.234);
}

TEST(FlareTexts, PanelLineAndAntennaNamesOnlyForAntennasOneToThree) {
    FlareResult flare{1.5 * kDegree, 0.0, 2};
    EXPECT_EQ(FlareStateText(-3.25, flare), "Iridium flare Mag.-3.2 angle 1.50\u00b0 MMA Left ");
    EXPECT_EQ(FlareStateText(100.0, flare), "Iridium flare  angle 1.50\u00b0 MMA Left ");
    EXPECT_STREQ(IridiumAntennaName(2), "Left Main Mission Antena");
    for (int antenna : {0, 4}) {
        flare.antenna = static_cast<int16_t>(antenna);
        EXPECT_EQ(FlareStateText(-1.0, flare), "") << antenna;
        EXPECT_STREQ(IridiumAntennaName(antenna), "") << antenna;
    }
}
