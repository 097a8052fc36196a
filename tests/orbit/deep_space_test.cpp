#include <cmath>

#include <gtest/gtest.h>

#include "astro/julian_date.hpp"
#include "orbit/deep_space.hpp"
#include "orbit/propagation.hpp"
#include "orbit_test_support.hpp"

using namespace vantrek;
using testing_support::geostationarySet;
using testing_support::makeElementSet;
using testing_support::molniyaSet;

namespace {

// Initialises SDP4 for `set`; returns the state after one call at `minutes`.
Vector4 propagateFresh(PropagatorState& model, const ElementSet& set, double minutes) {
    Vector4 position, velocity;
    propagateSdp4(model, minutes, set, position, velocity, 0);
    return position;
}

Vector4 propagateOn(PropagatorState& model, const ElementSet& set, double minutes) {
    Vector4 position, velocity;
    propagateSdp4(model, minutes, set, position, velocity, 1);
    return position;
}

// Resonance flags after initialising the module with a given original mean motion (rad/min).
ModelFlags resonanceAt(double xnodp, double eccentricity) {
    PropagatorState model;
    const ElementSet set = makeElementSet(26340.5, 30.0, 10.0, eccentricity, 270.0, 10.0, 2.0);
    propagateFresh(model, set, 0.0);
    model.exchange.xnodp = xnodp;
    deepSpaceTerms(model, kDeepSpaceInitialise, set, model.exchange);
    return model.flags;
}

}  // namespace

TEST(DeepSpaceResonance, SelectionBounds) {
    // 24-hour: both bounds exclusive.
    EXPECT_EQ(resonanceAt(0.0034906585, 0.01).resonant, 0);
    EXPECT_EQ(resonanceAt(0.0052359877, 0.01).resonant, 0);
    const ModelFlags synchronous = resonanceAt(0.0043, 0.01);
    EXPECT_EQ(synchronous.resonant, 1);
    EXPECT_EQ(synchronous.synchronous, 1);
    // 12-hour: both bounds inclusive, and only from e = 0.5.
    for (double n : {0.00826, 0.00924, 0.0088}) {
        const ModelFlags halfDay = resonanceAt(n, 0.5);
        EXPECT_EQ(halfDay.resonant, 1) << n;
        EXPECT_EQ(halfDay.synchronous, 0) << n;
    }
    EXPECT_EQ(resonanceAt(0.0088, 0.49).resonant, 0);
    EXPECT_EQ(resonanceAt(0.00825, 0.7).resonant, 0);
    EXPECT_EQ(resonanceAt(0.00925, 0.7).resonant, 0);
}

TEST(DeepSpaceResonance, IntegratorContinuesAndRestartsAcrossTheEpoch) {
    const ElementSet set = molniyaSet();
    PropagatorState model;
    propagateFresh(model, set, 1000.0);
    ASSERT_EQ(model.flags.resonant, 1);
    EXPECT_EQ(model.deepSpace.atime, 720.0);

    // Going on to 2000 takes one more step and lands where a fresh start does.
    const Vector4 continued = propagateOn(model, set, 2000.0);
    EXPECT_EQ(model.flags.integratorSteps, 1);
    PropagatorState fresh;
    EXPECT_EQ(continued.x, propagateFresh(fresh, set, 2000.0).x);

    // Back to 1500 from 2880: two steps toward the epoch, none forward.
    propagateOn(model, set, 3000.0);
    propagateOn(model, set, 1500.0);
    EXPECT_EQ(model.flags.integratorSteps, 2);
    EXPECT_EQ(model.deepSpace.atime, 1440.0);

    // Across the epoch the integration starts again from it.
    propagateOn(model, set, 1000.0);
    const Vector4 before = propagateOn(model, set, -100.0);
    EXPECT_EQ(model.deepSpace.atime, 0.0);
    EXPECT_EQ(model.deepSpace.xli, model.deepSpace.xlamo);
    PropagatorState restarted;
    EXPECT_EQ(before.x, propagateFresh(restarted, set, -100.0).x);
    propagateOn(model, set, -2000.0);
    EXPECT_EQ(model.deepSpace.atime, -1440.0);
}

TEST(DeepSpacePeriodics, ReusedWithinThirtyMinutes) {
    const ElementSet set = makeElementSet(80230.29629788, 46.7916, 230.4354, 0.7318036, 47.4722, 10.4117,
                                          2.28537848, 0.014311);
    PropagatorState model;
    propagateFresh(model, set, 100.0);
    EXPECT_EQ(model.deepSpace.savtsn, 100.0);
    const double pe = model.deepSpace.pe;
    const Vector4 reused = propagateOn(model, set, 110.0);
    EXPECT_EQ(model.deepSpace.savtsn, 100.0);
    EXPECT_EQ(model.deepSpace.pe, pe);
    PropagatorState fresh;
    EXPECT_NE(reused.x, propagateFresh(fresh, set, 110.0).x);  // the reuse is visible
    propagateOn(model, set, 130.0);
    EXPECT_EQ(model.deepSpace.savtsn, 130.0);
    EXPECT_NE(model.deepSpace.pe, pe);
}

TEST(DeepSpaceInitialisation, EpochDaysAndLunarCache) {
    PropagatorState model;
    ElementSet set = molniyaSet();
    set.epoch = 98001.0;  // 1998 January 1, 0h
    propagateFresh(model, set, 0.0);
    EXPECT_DOUBLE_EQ(model.deepSpace.ds50, 2450814.5 - 2433281.5);
    EXPECT_DOUBLE_EQ(model.deepSpace.day, model.deepSpace.ds50 + 18261.5);
    EXPECT_EQ(model.deepSpace.lunarDay, model.deepSpace.day);

    // Entry 1 again without clearing the flags still does both the Sun and the Moon.
    const LunarSolarTerms lunar = model.deepSpace.lunar;
    const double ssl = model.deepSpace.ssl;
    ASSERT_EQ(model.flags.solarPassDone, 1);
    deepSpaceTerms(model, kDeepSpaceInitialise, set, model.exchange);
    EXPECT_EQ(model.deepSpace.ssl, ssl);
    EXPECT_EQ(model.deepSpace.lunar.l2, lunar.l2);
}

TEST(DeepSpaceInitialisation, GeosynchronousOrbitsIncludingTheEquatorialOne) {
    for (double inclination : {0.05, 0.0}) {  // at 0 the node rate would be 0 / 0
        PropagatorState model;
        const ElementSet set = geostationarySet(inclination);
        const Vector4 start = propagateFresh(model, set, 0.0);
        ASSERT_EQ(model.flags.synchronous, 1);
        EXPECT_EQ(model.deepSpace.ssh, 0.0);
        const Vector4 dayLater = propagateOn(model, set, 1436.07);  // one sidereal day on
        EXPECT_NEAR(std::hypot(dayLater.x, dayLater.y), 6.61, 0.01) << inclination;  // Earth radii
        EXPECT_NEAR(std::atan2(dayLater.y, dayLater.x), std::atan2(start.y, start.x), 0.01) << inclination;
    }
}
