// The engine setting through the propagation front end.
#include <cmath>
#include <cstdint>
#include <initializer_list>

#include <gtest/gtest.h>

#include "astro/julian_date.hpp"
#include "orbit/propagation.hpp"
#include "orbit_test_support.hpp"

using namespace vantrek;
using testing_support::catalogOf;
using testing_support::makeElementSet;
using testing_support::propagateAt;

namespace {

const ElementSet kNearEarth = testing_support::reportNearEarthSet();
const ElementSet kDeepSpace = testing_support::reportDeepSpaceSet();
// The near-Earth set with drag enough for SGP8's full drag.
const ElementSet kHeavyDrag = testing_support::reportNearEarthSet(2.0e-3);
using State = testing_support::PropagatedState;

// The minutes since epoch the front end hands the model for that date.
double modelMinutes(const SatelliteCatalog& catalog, int index, double minutes) {
    const double epoch = JulianDateFromEpoch(catalog.entries[index].epoch);
    return (epoch + minutes / 1440.0 - epoch) * 1440.0;
}

}  // namespace

TEST(EngineSetting, OnlyTheModelChanges) {
    const auto catalog = catalogOf({kNearEarth, kDeepSpace, kHeavyDrag});
    using Model = void (*)(PropagatorState&, double, const ElementSet&, Vector4&, Vector4&, uint8_t);
    const Model alternative[] = {propagateSgp8, propagateSdp8, propagateSgp8};
    const Model standard[] = {propagateSgp4, propagateSdp4, propagateSgp4};
    for (int index = 0; index < catalog->count; ++index) {
        PropagatorState viaFrontEnd, direct, standardModel;
        ElementSet working, standardWorking;
        for (double minutes : {0.0, 360.0, -90.0}) {
            const uint8_t flag = minutes == 0.0 ? 0 : 1;
            const State s = propagateAt(viaFrontEnd, *catalog, working, index, minutes, flag, kEngineSgp8);
            Vector4 p, v;
            alternative[index](direct, modelMinutes(*catalog, index, minutes), working, p, v, flag);
            EXPECT_DOUBLE_EQ(s.position.x, p.x * 6378.135) << index << " " << minutes;
            EXPECT_DOUBLE_EQ(s.position.z, p.z * 6378.135) << index << " " << minutes;
            EXPECT_DOUBLE_EQ(s.velocity.y, v.y * 106.30225) << index << " " << minutes;
            EXPECT_DOUBLE_EQ(s.position.w, std::hypot(s.position.x, s.position.y, s.position.z));

            // Every value but 1 is the standard engine.
            PropagatorState fresh;
            standard[index](fresh, 0.0, working, p, v, 0);
            standard[index](fresh, modelMinutes(*catalog, index, minutes), working, p, v, 1);
            for (int32_t engine : {0, 4, 8, -1}) {
                const State other = propagateAt(standardModel, *catalog, standardWorking, index, minutes, flag, engine);
                EXPECT_DOUBLE_EQ(other.position.y, p.y * 6378.135) << index << " " << engine;
            }
        }
        // The same working record, period and model choice under both engines.
        EXPECT_EQ(working.period, standardWorking.period);
        EXPECT_EQ(working.deepSpace, index == 1 ? 1 : 0);
        EXPECT_EQ(standardWorking.deepSpace, working.deepSpace);
    }
}

TEST(EngineSetting, SwitchingWithANonZeroFlagRunsTheOtherModelUninitialised) {
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

    // That differs from SGP8 properly initialised for satellite 0 ...
    PropagatorState proper;
    ElementSet properWorking;
    const State initialised = propagateAt(proper, *catalog, properWorking, 0, 60.0, 0, kEngineSgp8);
    EXPECT_GT(std::fabs(switched.position.x - initialised.position.x), 1e-3);
    // ... and switching back finds SGP4's state as it was.
    const State sgp4After = propagateAt(model, *catalog, working, 0, 60.0, 1, 0);
    EXPECT_EQ(sgp4After.position.x, sgp4Before.position.x);
    EXPECT_EQ(sgp4After.velocity.z, sgp4Before.velocity.z);
}
