#include <cmath>

#include <gtest/gtest.h>

#include "orbit/model_constants.hpp"
#include "orbit/near_earth_terms.hpp"
#include "orbit/propagation.hpp"
#include "../support/orbit_fixtures.hpp"

using namespace vantrek;
using vantrek::testing::makeElementSet;

TEST(ModelSelection, TwoHundredTwentyFiveMinutesIsDeepSpace) {
    // The mean motions (rad/min) either side of a period of 225 minutes, one unit apart.
    ElementSet set = makeElementSet(80275.0, 30.0, 0.0, 0.01, 0.0, 0.0, 0.0);
    double deep = 0.02, near = 0.03;
    for (int i = 0; i < 200; ++i) {
        set.meanMotion = 0.5 * (deep + near);
        selectModel(set);
        (set.period >= 225.0 ? deep : near) = set.meanMotion;
    }
    set.meanMotion = deep;
    EXPECT_EQ(selectModel(set), 1);
    EXPECT_NEAR(set.period, 225.0, 1e-12);
    set.meanMotion = near;
    EXPECT_EQ(selectModel(set), 0);
    EXPECT_LT(set.period, 225.0);

    // The period is that of the recovered mean motion, not of the Kozai one.
    ElementSet iss = makeElementSet(8264.51782528, 51.6416, 247.4627, 0.0006703, 130.536, 325.0288, 15.72125391);
    EXPECT_EQ(selectModel(iss), 0);
    EXPECT_NEAR(iss.period, kTwoPi / recoverOriginalElements(iss).xnodp, 1e-12);
    EXPECT_NE(iss.period, 1440.0 / 15.72125391);
}

TEST(PerigeeAtmosphere, BreakpointsAt156And98Kilometres) {
    // Perigee (km) and the s* it gives; at 156 km and above the standard atmosphere.
    const struct { double perigeeKm, sStarKm; } lowered[] = {{155.9, 77.9}, {100.0, 22.0}, {98.0, 20.0}, {60.0, 20.0}};
    for (const auto& c : lowered) {
        const DragAtmosphere a = atmosphereForPerigee(c.perigeeKm);
        EXPECT_DOUBLE_EQ(a.s4, 1.0 + c.sStarKm / kEarthRadiusKm) << c.perigeeKm;
        EXPECT_DOUBLE_EQ(a.qoms24, std::pow((120.0 - c.sStarKm) / kEarthRadiusKm, 4)) << c.perigeeKm;
    }
    EXPECT_EQ(atmosphereForPerigee(156.0).s4, kDragS);
    EXPECT_EQ(atmosphereForPerigee(156.0).qoms24, kQoms2t);
}

TEST(Sgp4, PerigeeBelow220KilometresTakesTheSimplifiedDrag) {
    for (double revPerDay : {16.2, 15.0}) {  // perigee near 200 km, then well above
        const ElementSet set = makeElementSet(80275.0, 50.0, 0.0, 0.002, 0.0, 0.0, revPerDay, 1e-4);
        const double perigeeKm = (recoverOriginalElements(set).aodp * (1.0 - set.eccentricity) - 1.0) * kEarthRadiusKm;
        ASSERT_EQ(perigeeKm < 220.0, revPerDay > 16.0) << perigeeKm;
        PropagatorState model;
        Vector4 position, velocity;
        propagateSgp4(model, 0.0, set, position, velocity, 0);
        EXPECT_EQ(model.flags.simplifiedDrag, perigeeKm < 220.0 ? 1 : 0) << perigeeKm;
        // The higher-order drag terms stay zero under the simplified drag.
        EXPECT_EQ(model.sgp4.d2 == 0.0 && model.sgp4.t5cof == 0.0, perigeeKm < 220.0) << perigeeKm;
    }
}

TEST(Sgp4, CircularOrbitWithDragStaysFinite) {
    // Eccentricity exactly 0 with full drag: the perigee terms vanish instead
    // of dividing by e; the orbit stays round at its mean radius.
    PropagatorState model;
    Vector4 position, velocity;
    const ElementSet circular = makeElementSet(26340.5, 51.6, 120.0, 0.0, 0.0, 10.0, 15.5, 1e-4);
    for (double minutes : {0.0, 100.0, 1440.0}) {
        propagateSgp4(model, minutes, circular, position, velocity, minutes == 0.0 ? 0 : 1);
        ASSERT_TRUE(std::isfinite(position.x) && std::isfinite(velocity.z)) << minutes;
        const double radiusKm = std::sqrt(position.x * position.x + position.y * position.y +
                                          position.z * position.z) * kEarthRadiusKm;
        EXPECT_NEAR(radiusKm, 6378.135 + 400.0, 60.0) << minutes;
    }
    EXPECT_EQ(model.flags.simplifiedDrag, 0);
}
