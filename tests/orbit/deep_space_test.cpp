#include <cmath>

#include <gtest/gtest.h>

#include "orbit/deep_space.hpp"
#include "orbit/kepler_solution.hpp"
#include "orbit/propagation.hpp"
#include "../support/orbit_fixtures.hpp"

using namespace vantrek;
using vantrek::testing::makeElementSet;
using vantrek::testing::molniyaSet;

namespace {

// SDP4 at `minutes`; the flag 0 initialises the model for `set` first.
Vector4 sdp4At(PropagatorState& model, const ElementSet& set, double minutes, uint8_t initialised) {
    Vector4 position, velocity;
    propagateSdp4(model, minutes, set, position, velocity, initialised);
    return position;
}

// Resonance flags after initialising the module with a given original mean motion (rad/min).
ModelFlags resonanceAt(double xnodp, double eccentricity) {
    PropagatorState model;
    const ElementSet set = makeElementSet(26340.5, 30.0, 10.0, eccentricity, 270.0, 10.0, 2.0);
    sdp4At(model, set, 0.0, 0);
    model.exchange.xnodp = xnodp;
    deepSpaceTerms(model, kDeepSpaceInitialise, set, model.exchange);
    return model.flags;
}

}  // namespace

TEST(DeepSpaceResonance, SelectionBounds) {
    // 24-hour: both bounds exclusive; 12-hour: both bounds inclusive, and only from e = 0.5.
    const struct { double xnodp, e; int resonant, synchronous; } cases[] = {
        {0.0034906585, 0.01, 0, 0}, {0.0052359877, 0.01, 0, 0}, {0.0043, 0.01, 1, 1},
        {0.00826, 0.5, 1, 0},       {0.00924, 0.5, 1, 0},       {0.0088, 0.49, 0, 0},
        {0.00825, 0.7, 0, 0},       {0.00925, 0.7, 0, 0},
    };
    for (const auto& c : cases) {
        const ModelFlags flags = resonanceAt(c.xnodp, c.e);
        EXPECT_EQ(flags.resonant, c.resonant) << c.xnodp << " " << c.e;
        EXPECT_EQ(flags.synchronous, c.synchronous) << c.xnodp << " " << c.e;
    }
}

TEST(DeepSpaceResonance, IntegratorContinuesAndRestartsAcrossTheEpoch) {
    const ElementSet set = molniyaSet();
    PropagatorState model;
    sdp4At(model, set, 1000.0, 0);
    ASSERT_EQ(model.flags.resonant, 1);
    EXPECT_EQ(model.deepSpace.atime, 720.0);

    // Going on to 2000 takes one more step and lands where a fresh start does.
    const Vector4 continued = sdp4At(model, set, 2000.0, 1);
    EXPECT_EQ(model.flags.integratorSteps, 1);
    PropagatorState fresh;
    EXPECT_EQ(continued.x, sdp4At(fresh, set, 2000.0, 0).x);

    // Back to 1500 from 2880: two steps toward the epoch, none forward.
    sdp4At(model, set, 3000.0, 1);
    sdp4At(model, set, 1500.0, 1);
    EXPECT_EQ(model.flags.integratorSteps, 2);
    EXPECT_EQ(model.deepSpace.atime, 1440.0);

    // Across the epoch the integration starts again from it.
    sdp4At(model, set, 1000.0, 1);
    const Vector4 before = sdp4At(model, set, -100.0, 1);
    EXPECT_EQ(model.deepSpace.atime, 0.0);
    EXPECT_EQ(model.deepSpace.xli, model.deepSpace.xlamo);
    PropagatorState restarted;
    EXPECT_EQ(before.x, sdp4At(restarted, set, -100.0, 0).x);
    sdp4At(model, set, -2000.0, 1);
    EXPECT_EQ(model.deepSpace.atime, -1440.0);
}

TEST(DeepSpacePeriodics, ReusedWithinThirtyMinutes) {
    const ElementSet set = vantrek::testing::reportDeepSpaceSet();
    PropagatorState model;
    sdp4At(model, set, 100.0, 0);
    const double pe = model.deepSpace.pe;
    const Vector4 reused = sdp4At(model, set, 110.0, 1);
    EXPECT_EQ(model.deepSpace.savtsn, 100.0);
    EXPECT_EQ(model.deepSpace.pe, pe);
    PropagatorState fresh;
    EXPECT_NE(reused.x, sdp4At(fresh, set, 110.0, 0).x);  // the reuse is visible
    sdp4At(model, set, 130.0, 1);
    EXPECT_EQ(model.deepSpace.savtsn, 130.0);
    EXPECT_NE(model.deepSpace.pe, pe);
}

TEST(DeepSpaceInitialisation, GeosynchronousOrbitsIncludingTheEquatorialOneUnderSdp4AndSdp8) {
    using Model = void (*)(PropagatorState&, double, const ElementSet&, Vector4&, Vector4&, uint8_t);
    for (Model propagate : {Model{propagateSdp4}, Model{propagateSdp8}}) {
        for (double inclination : {0.05, 0.0}) {  // at 0 the node rate would be 0 / 0
            PropagatorState model;
            const ElementSet set = vantrek::testing::geostationarySet(inclination);
            Vector4 start, dayLater, velocity;
            propagate(model, 0.0, set, start, velocity, 0);
            ASSERT_EQ(model.flags.synchronous, 1);
            EXPECT_EQ(model.flags.simplifiedDrag, propagate == propagateSdp8 ? 1 : 0);  // SDP8 has only that
            EXPECT_EQ(model.deepSpace.ssh, 0.0);
            propagate(model, 1436.07, set, dayLater, velocity, 1);  // one sidereal day on
            EXPECT_NEAR(std::hypot(dayLater.x, dayLater.y), 6.61, 0.01) << inclination;  // Earth radii
            EXPECT_NEAR(std::atan2(dayLater.y, dayLater.x), std::atan2(start.y, start.x), 0.01) << inclination;
        }
    }
}

TEST(KeplerSolution, SatisfiesTheEquationUpToEccentricity0999) {
    const double tolerance = 1e-6;
    for (double e : {0.9, 0.97, 0.99, 0.999}) {
        for (int k = 0; k < 720; ++k) {
            const double m = k * kTwoPi / 720.0;
            const double w = k * 0.37;  // the near-Earth form solves for E + w
            const double axn = e * std::cos(w), ayn = e * std::sin(w);
            const KeplerRoot u = solveKepler(m, m, axn, ayn, tolerance, KeplerFallback::LastPassStart);
            EXPECT_NEAR(u.x - axn * std::sin(u.x) + ayn * std::cos(u.x), m, 2 * tolerance) << e << " " << m;
            EXPECT_NEAR(u.sinX, std::sin(u.x), 1e-15);
            // SGP8's form and start: E - e sin E = M.
            const double start = m + e * std::sin(m) * (1.0 + e * std::cos(m));
            const KeplerRoot a = solveKepler(start, m, e, 0.0, tolerance, KeplerFallback::LastComputed);
            EXPECT_NEAR(a.x - e * std::sin(a.x), m, 2 * tolerance) << e << " " << m;
        }
    }
}

// A solar-wind-probe-like orbit: e = 0.9728, a period of 13.7 days. Every
// position lies within the ellipse (the Moon lowers the perigee) and none
// jumps further than the escape speed at half the perigee allows, under both
// deep-space models.
TEST(KeplerSolution, HighlyEccentricOrbitStaysOnItsEllipse) {
    const ElementSet set = makeElementSet(24172.0, 28.0, 40.0, 0.9728, 200.0, 0.0, 1.0 / 13.7);
    const double muEr = 0.0743669161 * 0.0743669161;  // Earth radii^3 / min^2
    const double a = std::cbrt(muEr / (set.meanMotion * set.meanMotion));
    const double lowest = 0.5 * a * (1.0 - 0.9728);
    const double fastest = std::sqrt(2.0 * muEr / lowest);
    using Model = void (*)(PropagatorState&, double, const ElementSet&, Vector4&, Vector4&, uint8_t);
    for (Model propagate : {Model{propagateSdp4}, Model{propagateSdp8}}) {
        PropagatorState model;
        Vector4 previous, position, velocity;
        const double step = 5.0;  // minutes
        propagate(model, 0.0, set, previous, velocity, 0);
        for (double t = step; t < 2 * 13.7 * 1440.0; t += step) {
            propagate(model, t, set, position, velocity, 1);
            const double r = std::sqrt(position.x * position.x + position.y * position.y + position.z * position.z);
            ASSERT_GT(r, lowest) << t;
            ASSERT_LT(r, 1.01 * a * (1.0 + 0.9728)) << t;
            const double jump = std::hypot(position.x - previous.x, position.y - previous.y, position.z - previous.z);
            ASSERT_LT(jump, fastest * step) << t;
            previous = position;
        }
    }
}
