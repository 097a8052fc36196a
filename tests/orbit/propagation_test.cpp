// The propagation front end: initialisation, the engine setting, failure reports.
#include <cmath>
#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

#include "astro/julian_date.hpp"
#include "orbit/propagation.hpp"
#include "../support/orbit_fixtures.hpp"

using namespace vantrek;
using vantrek::testing::catalogOf;
using vantrek::testing::geostationarySet;
using vantrek::testing::makeElementSet;
using vantrek::testing::propagateAt;

namespace {

const ElementSet kNearEarth = vantrek::testing::reportNearEarthSet();
const ElementSet kDeepSpace = vantrek::testing::reportDeepSpaceSet();
// The near-Earth set with drag enough for SGP8's full drag.
const ElementSet kHeavyDrag = vantrek::testing::reportNearEarthSet(2.0e-3);
using State = vantrek::testing::PropagatedState;

// The minutes since epoch the front end hands the model for that date.
double modelMinutes(const SatelliteCatalog& catalog, int index, double minutes) {
    const double epoch = JulianDateFromEpoch(catalog.entries[index].epoch);
    return (epoch + minutes / 1440.0 - epoch) * 1440.0;
}

}  // namespace

TEST(PropagationFrontEnd, EveryEngineValueButOneIsTheStandardPair) {
    // The units, the time since epoch and each model's figures are checked
    // against the published cases; here only the choice of the model.
    const auto catalog = catalogOf({kNearEarth, kDeepSpace});
    for (int index = 0; index < catalog->count; ++index) {
        PropagatorState model;
        ElementSet working;
        const State standard = propagateAt(model, *catalog, working, index, 360.0, 0, 0);
        EXPECT_EQ(working.deepSpace, index);
        EXPECT_DOUBLE_EQ(standard.position.w, std::hypot(standard.position.x, standard.position.y, standard.position.z));
        EXPECT_DOUBLE_EQ(standard.velocity.w, std::hypot(standard.velocity.x, standard.velocity.y, standard.velocity.z));
        for (int32_t engine : {4, 8, -1}) {
            EXPECT_EQ(propagateAt(model, *catalog, working, index, 360.0, 0, engine).position.x, standard.position.x)
                << index << " " << engine;
        }
        const State alternative = propagateAt(model, *catalog, working, index, 360.0, 0, kEngineSgp8);
        EXPECT_GT(std::fabs(alternative.position.x - standard.position.x), 0.01) << index;  // km
    }
}

TEST(PropagationFrontEnd, NonZeroFlagIgnoresTheIndexAndKeepsTheWorkingSet) {
    const auto catalog = catalogOf({kNearEarth, kDeepSpace});
    PropagatorState model;
    ElementSet working;
    propagateAt(model, *catalog, working, 0, 0.0, 0);
    const State viaZero = propagateAt(model, *catalog, working, 0, 90.0, 1);
    const State viaOne = propagateAt(model, *catalog, working, 1, 90.0, 1, 0, 0);
    EXPECT_EQ(viaOne.position.x, viaZero.position.x);
    EXPECT_EQ(working.deepSpace, 0);

    // The flag 0 re-initialises for the other satellite and clears the flags first.
    model.flags.simplifiedDrag = 1;
    propagateAt(model, *catalog, working, 1, 90.0, 0);
    EXPECT_EQ(working.deepSpace, 1);
    EXPECT_EQ(model.flags.simplifiedDrag, 0);
}

TEST(PropagationFrontEnd, SwitchingEngineWithANonZeroFlagRunsTheOtherModelUninitialised) {
    // Satellite 0's perigee is high enough for SGP4's full drag terms.
    const auto catalog = catalogOf({makeElementSet(80275.0, 51.6, 10.0, 0.001, 30.0, 0.0, 15.5, 1e-4), kHeavyDrag});
    PropagatorState model;
    ElementSet working;

    // A model that never initialised has nothing to run on: reported as failed, no crash.
    propagateAt(model, *catalog, working, 0, 0.0, 0, 0);
    EXPECT_TRUE(propagationFailed(propagateAt(model, *catalog, working, 0, 60.0, 1, kEngineSgp8).position));

    // SGP8 initialised for satellite 1, then SGP4 for satellite 0: switching
    // to the alternative engine with the flag 1 runs SGP8 on satellite 1's
    // constants with satellite 0's elements, and the flags SGP4 left.
    propagateAt(model, *catalog, working, 1, 0.0, 0, kEngineSgp8);
    const State sgp4Before = propagateAt(model, *catalog, working, 0, 60.0, 0, 0);
    ASSERT_EQ(model.flags.simplifiedDrag, 0);
    PropagatorState snapshot = model;
    const State switched = propagateAt(model, *catalog, working, 0, 60.0, 1, kEngineSgp8);
    Vector4 p, v;
    propagateSgp8(snapshot, modelMinutes(*catalog, 0, 60.0), working, p, v, 1);
    EXPECT_DOUBLE_EQ(switched.position.x, p.x * 6378.135);
    EXPECT_EQ(model.sgp8.secular.xndt, snapshot.sgp8.secular.xndt);  // nothing was initialised
    EXPECT_EQ(model.flags.simplifiedDrag, 0);  // still SGP4's

    // Switching back finds SGP4's state as it was.
    const State sgp4After = propagateAt(model, *catalog, working, 0, 60.0, 1, 0);
    EXPECT_EQ(sgp4After.position.x, sgp4Before.position.x);
    EXPECT_EQ(sgp4After.velocity.z, sgp4Before.velocity.z);
}

TEST(PropagationFrontEnd, NoFiniteStateIsReportedAsZeros) {
    // A mean motion of 0 (the placeholder's), e = 1 at epoch, and a resonant satellite.
    const auto catalog = catalogOf({makeElementSet(0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0),
                                    makeElementSet(80275.0, 45.0, 0.0, 1.0, 0.0, 0.0, 2.0), geostationarySet()});
    PropagatorState model;
    ElementSet working;
    for (int index = 0; index < 2; ++index) {
        const State s = propagateAt(model, *catalog, working, index, 10.0, 0);
        EXPECT_TRUE(propagationFailed(s.position)) << index;
        EXPECT_EQ(s.position.w, 0.0);
        EXPECT_EQ(s.velocity.x, 0.0);
        EXPECT_EQ(s.velocity.w, 0.0);
    }

    // A date that is not a number, even for a resonant satellite, whose stepping would not end.
    Vector4 position, velocity;
    propagateSatellite(model, *catalog, std::numeric_limits<double>::quiet_NaN(), working, 2, velocity, position, 0, 0);
    EXPECT_TRUE(propagationFailed(position));
    propagateSatellite(model, *catalog, std::numeric_limits<double>::infinity(), working, 2, velocity, position, 1, 0);
    EXPECT_TRUE(propagationFailed(position));
    EXPECT_FALSE(propagationFailed(propagateAt(model, *catalog, working, 2, 10.0, 1).position));
}

TEST(PropagationFrontEnd, EccentricityDrivenToOneByDragIsReported) {
    // Negative drag raises the eccentricity of a low orbit until it reaches 1.
    const ElementSet set = makeElementSet(80275.0, 50.0, 0.0, 0.05, 0.0, 0.0, 14.0, -0.5);
    const auto catalog = catalogOf({set});
    PropagatorState model;
    ElementSet working;
    EXPECT_FALSE(propagationFailed(propagateAt(model, *catalog, working, 0, 0.0, 0).position));
    const double minutesToUnity = (1.0 - set.eccentricity) / (-set.bstar * model.sgp4.secular.c4);
    ASSERT_GT(minutesToUnity, 0.0);
    EXPECT_FALSE(propagationFailed(propagateAt(model, *catalog, working, 0, 0.5 * minutesToUnity, 1).position));
    EXPECT_TRUE(propagationFailed(propagateAt(model, *catalog, working, 0, 1.5 * minutesToUnity, 1).position));
}

TEST(PropagationFrontEnd, ValidSetsStayFiniteOverAWeek) {
    const auto catalog = catalogOf({kNearEarth, kDeepSpace, vantrek::testing::molniyaSet(), geostationarySet(),
                                    makeElementSet(26340.5, 98.2, 30.0, 0.0012, 90.0, 270.0, 14.3)});
    for (int32_t engine : {0, kEngineSgp8}) {
        for (int index = 0; index < catalog->count; ++index) {
            PropagatorState model;
            ElementSet working;
            for (int step = 0; step <= 7 * 24; ++step) {
                const State s = propagateAt(model, *catalog, working, index, 60.0 * step - 1440.0,
                                            step == 0 ? 0 : 1, engine);
                ASSERT_FALSE(propagationFailed(s.position)) << engine << " " << index << " " << step;
                ASSERT_GT(s.position.w, 6378.0);
            }
        }
    }
}
