#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "astro/julian_date.hpp"
#include "orbit/catalog_loading.hpp"
#include "orbit/model_constants.hpp"
#include "orbit/propagation.hpp"
#include "orbit_test_support.hpp"

using namespace vantrek;
using testing_support::catalogOf;
using testing_support::geostationarySet;
using testing_support::makeElementSet;
using testing_support::molniyaSet;
using testing_support::propagateAt;

namespace {

const ElementSet kNearEarth = testing_support::reportNearEarthSet();
const ElementSet kDeepSpace = testing_support::reportDeepSpaceSet();
using State = testing_support::PropagatedState;

}  // namespace

TEST(PropagationFrontEnd, EpochGivesTheModelStateInKilometres) {
    const auto catalog = catalogOf({kNearEarth, kDeepSpace});
    for (int index = 0; index < 2; ++index) {
        PropagatorState model, direct;
        ElementSet working;
        const State s = propagateAt(model, *catalog, working, index, 0.0, 0);
        EXPECT_EQ(working.deepSpace, index);
        Vector4 p, v;
        (index == 0 ? propagateSgp4 : propagateSdp4)(direct, 0.0, working, p, v, 0);
        EXPECT_DOUBLE_EQ(s.position.z, p.z * 6378.135);
        EXPECT_DOUBLE_EQ(s.velocity.y, v.y * 106.30225);
        EXPECT_DOUBLE_EQ(s.position.w, std::hypot(s.position.x, s.position.y, s.position.z));
        EXPECT_DOUBLE_EQ(s.velocity.w, std::hypot(s.velocity.x, s.velocity.y, s.velocity.z));
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
    EXPECT_EQ(working.catalogNumber, kNearEarth.catalogNumber);
    EXPECT_EQ(working.deepSpace, 0);

    // The flag 0 re-initialises for the other satellite and clears the flags first.
    model.flags.simplifiedDrag = 1;
    propagateAt(model, *catalog, working, 1, 90.0, 0);
    EXPECT_EQ(working.deepSpace, 1);
    EXPECT_EQ(model.flags.simplifiedDrag, 0);
}

TEST(PropagationFrontEnd, NoFiniteStateIsReportedAsZeros) {
    auto catalog = catalogOf({});
    loadPlaceholderElementSet(*catalog);  // mean motion 0
    ElementSet circular = makeElementSet(80275.0, 45.0, 0.0, 1.0, 0.0, 0.0, 2.0);  // e = 1 at epoch
    catalog->entries[1] = circular;
    catalog->entries[2] = geostationarySet();
    catalog->count = 3;

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
    const auto catalog = catalogOf({kNearEarth, kDeepSpace, molniyaSet(), geostationarySet(),
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
