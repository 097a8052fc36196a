#include "observe/iridium_flare.hpp"

#include <cmath>

#include <gtest/gtest.h>

#include "astro/constants.hpp"

using namespace vantrek;

namespace {

constexpr double kAu = 149597870.691;

Vector4 unit(Vector4 v) {
    const double n = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return {v.x / n, v.y / n, v.z / n, 1.0};
}

Vector4 cross(const Vector4& a, const Vector4& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x, 0.0};
}

double dot(const Vector4& a, const Vector4& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Vector4 reflect(const Vector4& u, const Vector4& n) {
    const double k = 2.0 * dot(u, n);
    return {u.x - k * n.x, u.y - k * n.y, u.z - k * n.z, 1.0};
}

// A satellite 780 km above an observer on the +x axis, moving along +y, so its
// frame is up = x, along = y, right = -z.
struct Scene {
    Vector4 observer{6378.135, 0.0, 0.0, 6378.135};
    Vector4 satellite{7158.135, 0.0, 0.0, 7158.135};
    Vector4 velocity{0.0, 7.45, 0.0, 7.45};
    Vector4 up{1, 0, 0, 1}, along{0, 1, 0, 1}, right{0, 0, -1, 1};

    Vector4 normal(int antenna) const {
        const IridiumAntenna& a = kIridiumAntennas[antenna - 1];
        const double ca = std::cos(a.pitch), sa = std::sin(a.pitch);
        const double cb = std::cos(a.yaw), sb = std::sin(a.yaw);
        return {-ca * sb * right.x + ca * cb * along.x + sa * up.x,
                -ca * sb * right.y + ca * cb * along.y + sa * up.y,
                -ca * sb * right.z + ca * cb * along.z + sa * up.z, 1.0};
    }
    // The Sun far away in a given direction seen from the satellite.
    Vector4 sunToward(const Vector4& direction) const {
        const Vector4 d = unit(direction);
        return {satellite.x + kAu * d.x, satellite.y + kAu * d.y, satellite.z + kAu * d.z, kAu};
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
    const double phase = kHalfPi;
    EXPECT_NEAR(FlareBrightness(780.0, 0.5 * kDegree, phase), -2.32, 0.005);
    EXPECT_NEAR(FlareBrightness(780.0, 2.0 * kDegree, phase), 0.44, 0.005);
    EXPECT_NEAR(FlareBrightness(780.0, 5.0 * kDegree, phase), 2.30, 0.005);
    // Phase near pi: the small constant keeps the result finite.
    EXPECT_TRUE(std::isfinite(FlareBrightness(780.0, 1.0 * kDegree, kPi)));
}

TEST(FlareMagnitude, AngleAndPhaseFollowTheSun) {
    // Seen straight from below, the front mirror reflects the sight line 10
    // degrees above the forward horizon.
    Scene scene;
    for (double off : {0.0, 3.0}) {
        const double elevation = (10.0 + off) * kDegree;
        const Vector4 sun = scene.sunToward({std::sin(elevation), std::cos(elevation), 0, 0});
        FlareResult flare;
        const double magnitude =
            FlareMagnitude(sun, scene.satellite, scene.velocity, scene.observer, flare);
        EXPECT_EQ(flare.antenna, 1);
        EXPECT_NEAR(flare.angle, off * kDegree, 1e-7);
        EXPECT_NEAR(flare.phaseAngle, kHalfPi + elevation, 1e-7);
        EXPECT_NEAR(magnitude, FlareBrightness(780.0, off * kDegree, flare.phaseAngle), 1e-6);
    }
}

TEST(FlareMagnitude, FirstAntennaWithinFiveDegreesWinsEvenIfAnotherIsCloser) {
    Scene scene;
    // A sight line lying in both the front and the left mirror planes reflects
    // to itself in both; tilt it a little so the two reflections part slightly.
    const Vector4 nf = scene.normal(1), nl = scene.normal(2);
    Vector4 edge = unit(cross(nf, nl));
    if (dot(edge, scene.up) < 0) edge = {-edge.x, -edge.y, -edge.z, 1};
    const Vector4 tilt = unit({edge.x - 0.01 * (nf.x + nl.x), edge.y - 0.01 * (nf.y + nl.y),
                               edge.z - 0.01 * (nf.z + nl.z), 0});
    Vector4 observer{scene.satellite.x - 900 * tilt.x, scene.satellite.y - 900 * tilt.y,
                     scene.satellite.z - 900 * tilt.z, 0};
    const Vector4 rf = reflect(tilt, nf), rl = reflect(tilt, nl);
    // The Sun between the two reflections, closer to the left one.
    const Vector4 sun = scene.sunToward({0.3 * rf.x + 0.7 * rl.x, 0.3 * rf.y + 0.7 * rl.y,
                                         0.3 * rf.z + 0.7 * rl.z, 0});
    FlareResult probe;
    const IridiumAntenna& front = kIridiumAntennas[0];
    const IridiumAntenna& left = kIridiumAntennas[1];
    const double gf = MirrorAngle(sun, scene.satellite, scene.velocity, observer, front.pitch,
                                  front.yaw, probe);
    const double gl =
        MirrorAngle(sun, scene.satellite, scene.velocity, observer, left.pitch, left.yaw, probe);
    ASSERT_LE(gf, kFlareThreshold);
    ASSERT_LT(gl, gf);

    FlareResult flare;
    FlareMagnitude(sun, scene.satellite, scene.velocity, observer, flare);
    EXPECT_EQ(flare.antenna, 1);
    EXPECT_DOUBLE_EQ(flare.angle, gf);
}

TEST(FlareMagnitude, NoFlareReportsTheClosestAntennaLowerNumberOnTies) {
    Scene scene;
    // Observer ahead of the satellite on its path: behind the front mirror, and
    // the left and right mirrors see it symmetrically.
    const Vector4 observer{scene.satellite.x, scene.satellite.y - 1500.0, 0.0, 0.0};
    const Vector4 sun = scene.sunToward({-1.0, 0.2, 0.0, 0});
    FlareResult flare;
    const IridiumAntenna& left = kIridiumAntennas[1];
    const IridiumAntenna& right = kIridiumAntennas[2];
    ASSERT_EQ(MirrorAngle(sun, scene.satellite, scene.velocity, observer, left.pitch, left.yaw, flare),
              MirrorAngle(sun, scene.satellite, scene.velocity, observer, right.pitch, right.yaw,
                          flare));
    EXPECT_EQ(FlareMagnitude(sun, scene.satellite, scene.velocity, observer, flare), 100.0);
    EXPECT_EQ(flare.antenna, 2);
    EXPECT_GT(flare.angle, kFlareThreshold);
    EXPECT_LT(flare.angle, kObserverBehindMirror);
}

TEST(FlareMagnitude, ObserverBehindAllMirrors) {
    Scene scene;
    // Looking down on the satellite: every mirror faces away.
    const Vector4 observer{scene.satellite.x + 1000.0, 0.0, 0.0, 0.0};
    const Vector4 sun = scene.sunToward({1.0, 0.3, 0.1, 0});
    FlareResult flare;
    flare.phaseAngle = 1.234;
    EXPECT_EQ(FlareMagnitude(sun, scene.satellite, scene.velocity, observer, flare), 100.0);
    EXPECT_EQ(flare.antenna, 1);
    EXPECT_EQ(flare.angle, kObserverBehindMirror);
    EXPECT_EQ(flare.phaseAngle, 1.234);
}

TEST(FlareTexts, PanelLineAndAntennaNames) {
    FlareResult flare;
    flare.angle = 1.5 * kDegree;
    flare.antenna = 1;
    EXPECT_EQ(FlareStateText(-3.25, flare), "Iridium flare Mag.-3.2 angle 1.50\u00b0 MMA Front");
    flare.antenna = 2;
    EXPECT_EQ(FlareStateText(100.0, flare), "Iridium flare  angle 1.50\u00b0 MMA Left ");
    flare.antenna = 3;
    EXPECT_EQ(FlareStateText(0.04, flare), "Iridium flare Mag.0.0 angle 1.50\u00b0 MMA Right");
    flare.antenna = 0;
    EXPECT_EQ(FlareStateText(-1.0, flare), "");
    EXPECT_STREQ(IridiumAntennaName(2), "Left Main Mission Antena");
    EXPECT_STREQ(IridiumAntennaName(4), "");
}
