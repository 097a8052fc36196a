// The orbit models against the published test cases of their report, and the
// propagation front end: initialisation, the engine setting, failure reports.
#include <cmath>
#include <cstdint>
#include <fstream>
#include <limits>
#include <sstream>

#include <gtest/gtest.h>

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

}  // namespace

// Every published time of each model, through the front end with the engine
// that runs it (the first time with the flag 0, the rest with 1). The
// published figures carry single-precision rounding of a few metres; a model
// error (such as the full drag for the near-Earth SGP8 case) is tens of metres.
TEST(PublishedVectors, AllFourModelsMatchTheReport) {
    std::ifstream file(std::string(VANTREK_REFERENCE_DATA_DIR) + "/propagator_test_vectors.txt");
    std::string line, elements, model;
    std::unique_ptr<SatelliteCatalog> catalog;
    PropagatorState state;
    ElementSet working;
    int32_t engine = 0;
    uint8_t initialised = 0;
    int checked[2] = {0, 0};  // times, by engine
    while (std::getline(file, line)) {
        if (line.rfind("tle ", 0) == 0) {  // a name line and the two element lines follow
            elements.clear();
            for (int i = 0; i < 3 && std::getline(file, line); ++i) elements += line + "\n";
            catalog = vantrek::testing::loaded(elements);
            ASSERT_EQ(catalog->count, 1) << elements;
        } else if (line.rfind("model ", 0) == 0) {
            model = line.substr(6);
            engine = model == "sgp8" || model == "sdp8" ? kEngineSgp8 : 0;
            initialised = 0;
        } else if (catalog && !line.empty() && line[0] != '#') {
            std::istringstream in(line);  // minutes, x y z (km), xdot ydot zdot (km/s)
            double row[7];
            for (double& v : row) in >> v;
            ASSERT_TRUE(in) << line;
            const State s = propagateAt(state, *catalog, working, 0, row[0], initialised, engine);
            initialised = 1;
            const double got[6] = {s.position.x, s.position.y, s.position.z, s.velocity.x, s.velocity.y, s.velocity.z};
            for (int i = 0; i < 6; ++i) {  // to 10 m and 0.05 m/s
                EXPECT_NEAR(got[i], row[i + 1], i < 3 ? 0.01 : 5e-5) << model << " t=" << row[0] << " #" << i;
            }
            ++checked[engine == 0 ? 0 : 1];
        }
    }
    EXPECT_GE(checked[0], 6);  // both models of each engine, three times each
    EXPECT_GE(checked[1], 6);
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
    // Only the alternative engine's own value chooses it: any other is the standard pair.
    for (int32_t engine : {4, 8, -1}) {
        EXPECT_EQ(propagateAt(model, *catalog, working, 0, 90.0, 0, engine).position.x, viaZero.position.x) << engine;
    }

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
    // to the alternative engine with the flag 1 initialises nothing, and
    // switching back finds SGP4's state as it was.
    propagateAt(model, *catalog, working, 1, 0.0, 0, kEngineSgp8);
    const State sgp4Before = propagateAt(model, *catalog, working, 0, 60.0, 0, 0);
    const double satellite1MeanMotion = model.sgp8.secular.xnodp;
    propagateAt(model, *catalog, working, 0, 60.0, 1, kEngineSgp8);
    EXPECT_EQ(model.sgp8.secular.xnodp, satellite1MeanMotion);
    const State sgp4After = propagateAt(model, *catalog, working, 0, 60.0, 1, 0);
    EXPECT_EQ(sgp4After.position.x, sgp4Before.position.x);
}

TEST(PropagationFrontEnd, NoFiniteStateIsReportedAsZeros) {
    // A mean motion of 0 (the placeholder's), e = 1 at epoch, and a resonant satellite.
    const auto catalog = catalogOf({makeElementSet(0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0),
                                    makeElementSet(80275.0, 45.0, 0.0, 1.0, 0.0, 0.0, 2.0), geostationarySet()});
    PropagatorState model;
    ElementSet working;
    for (int index = 0; index < 2; ++index) {
        const State s = propagateAt(model, *catalog, working, index, 10.0, 0);
        EXPECT_TRUE(propagationFailed(s.position)) << index;  // zeros: the hostile-set test
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
    // The last: exactly circular with full drag, where the perigee terms would divide by e.
    const auto catalog = catalogOf({kNearEarth, kDeepSpace, vantrek::testing::molniyaSet(), geostationarySet(),
                                    makeElementSet(26340.5, 98.2, 30.0, 0.0012, 90.0, 270.0, 14.3),
                                    makeElementSet(26340.5, 51.6, 120.0, 0.0, 0.0, 10.0, 15.5, 1e-4)});
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
