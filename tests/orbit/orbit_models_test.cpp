// The orbit models inside: the near-Earth and deep-space choice, SGP4's
// atmosphere and drag, SGP8's drag laws and periodics, the deep-space
// resonance and periodics, and Kepler's equation on a highly eccentric orbit.
#include <cmath>
#include <tuple>

#include <gtest/gtest.h>

#include "orbit/deep_space.hpp"
#include "orbit/model_constants.hpp"
#include "orbit/near_earth_terms.hpp"
#include "orbit/sgp8_full_drag.hpp"
#include "orbit/sgp8_terms.hpp"
#include "../support/orbit_fixtures.hpp"

using namespace vantrek;
using vantrek::testing::makeElementSet;
using vantrek::testing::molniyaSet;
using vantrek::testing::reportNearEarthSet;

namespace {

using Model = void (*)(PropagatorState&, double, const ElementSet&, Vector4&, Vector4&, uint8_t);
const Model kDeepSpaceModels[] = {propagateSdp4, propagateSdp8};

// A model's position at `minutes`; the flag 0 initialises it for `set` first.
Vector4 positionAt(Model propagate, PropagatorState& model, const ElementSet& set, double minutes,
                   uint8_t initialised) {
    Vector4 position, velocity;
    propagate(model, minutes, set, position, velocity, initialised);
    return position;
}

double distance(const Vector4& a, const Vector4& b) { return std::hypot(a.x - b.x, a.y - b.y, a.z - b.z); }

bool isFinite(const Vector4& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// Relative change of the mean motion per day that the drag gives at epoch.
double dailyDragRate(const ElementSet& set) {
    const Sgp8Initialisation init = initialiseSgp8Terms(set);
    return std::fabs(init.secular.xndt / init.secular.xnodp) * kMinutesPerDay;
}

// The drag elements moved along the decaying orbit by h minutes, to first
// order: the mean motion and eccentricity at their rates, the axis with the
// mean motion as n^-2/3, the perigee at its J2 rate (which scales as n / p^2).
DragElements movedAlongDrag(const DragTerms& d, double edot, double h) {
    const DragElements& from = d.elements;
    DragElements to = from;
    to.xnodp = from.xnodp + d.xndt * h;
    to.aodp = from.aodp * std::pow(to.xnodp / from.xnodp, -kTwoThirds);
    to.e = from.e + edot * h;
    to.argPerigee = from.argPerigee + from.xgdt1 * h;
    const double pRatio = from.aodp * (1.0 - from.e * from.e) / (to.aodp * (1.0 - to.e * to.e));
    to.xgdt1 = from.xgdt1 * (to.xnodp / from.xnodp) * pRatio * pRatio;
    return to;
}

}  // namespace

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

    // The period is that of the recovered mean motion, not of the Kozai one.
    ElementSet iss = makeElementSet(8264.51782528, 51.6416, 247.4627, 0.0006703, 130.536, 325.0288, 15.72125391);
    EXPECT_EQ(selectModel(iss), 0);
    EXPECT_NEAR(iss.period, kTwoPi / recoverOriginalElements(iss).xnodp, 1e-12);
}

TEST(PerigeeAtmosphere, BreakpointsAt156And98Kilometres) {
    // Perigee (km) and the s* it gives; at 156 km and above the standard atmosphere.
    const struct { double perigeeKm, sStarKm; } lowered[] = {{155.9, 77.9}, {100.0, 22.0}, {98.0, 20.0}, {60.0, 20.0}};
    for (const auto& c : lowered) {
        const DragAtmosphere a = atmosphereForPerigee(c.perigeeKm);
        EXPECT_DOUBLE_EQ(a.s4, 1.0 + c.sStarKm / kEarthRadiusKm) << c.perigeeKm;
        EXPECT_DOUBLE_EQ(a.qoms24, std::pow((120.0 - c.sStarKm) / kEarthRadiusKm, 4)) << c.perigeeKm;
    }
    EXPECT_EQ(atmosphereForPerigee(156.0).qoms24, kQoms2t);
}

TEST(Sgp4, PerigeeBelow220KilometresTakesTheSimplifiedDrag) {
    for (double revPerDay : {16.2, 15.0}) {  // perigee near 200 km, then well above
        const ElementSet set = makeElementSet(80275.0, 50.0, 0.0, 0.002, 0.0, 0.0, revPerDay, 1e-4);
        const double perigeeKm = (recoverOriginalElements(set).aodp * (1.0 - set.eccentricity) - 1.0) * kEarthRadiusKm;
        ASSERT_EQ(perigeeKm < 220.0, revPerDay > 16.0) << perigeeKm;
        PropagatorState model;
        positionAt(propagateSgp4, model, set, 0.0, 0);
        EXPECT_EQ(model.flags.simplifiedDrag, perigeeKm < 220.0 ? 1 : 0) << perigeeKm;
        // The higher-order drag terms stay zero under the simplified drag.
        EXPECT_EQ(model.sgp4.d2 == 0.0 && model.sgp4.t5cof == 0.0, perigeeKm < 220.0) << perigeeKm;
    }
}

TEST(Sgp8Drag, SimplifiedBelowTheRelativeRateOf216e3PerDay) {
    PropagatorState model;
    // No drag term: no drag rate at all.
    positionAt(propagateSgp8, model, reportNearEarthSet(0.0), 0.0, 0);
    EXPECT_EQ(model.flags.simplifiedDrag, 1);

    // The report's own set (about 1.1e-4 per day) takes the simplified branch;
    // the rate is proportional to the drag term: either side of the threshold.
    const ElementSet report = reportNearEarthSet(6.6816e-5);
    EXPECT_NEAR(dailyDragRate(report), 1.13e-4, 1e-6);
    const double thresholdBstar = 6.6816e-5 * 2.16e-3 / dailyDragRate(report);
    positionAt(propagateSgp8, model, reportNearEarthSet(thresholdBstar * 0.999), 0.0, 0);
    EXPECT_EQ(model.flags.simplifiedDrag, 1);
    positionAt(propagateSgp8, model, reportNearEarthSet(thresholdBstar * 1.001), 0.0, 0);
    EXPECT_EQ(model.flags.simplifiedDrag, 0);
    // The flag reflects the model's last initialisation, also back to simplified.
    positionAt(propagateSgp8, model, report, 0.0, 0);
    EXPECT_EQ(model.flags.simplifiedDrag, 1);
}

TEST(Sgp8Drag, HigherDerivativesFollowTheDecayingOrbit) {
    // Near-circular, eccentric, and circular with the perigee on the node
    // (no eccentricity rate, eta = 0 in the derivatives) either side of 63.4
    // degrees, where the perigee's rate, and so the eccentricity's second
    // derivative, changes sign.
    for (const ElementSet& set : {reportNearEarthSet(6.6816e-3), makeElementSet(80275.0, 30.0, 10.0, 0.1, 200.0, 0.0, 14.0, 2e-2),
                                  makeElementSet(80275.0, 98.0, 10.0, 0.0, 0.0, 0.0, 15.9, 2e-2),
                                  makeElementSet(80275.0, 51.6, 10.0, 0.0, 0.0, 0.0, 15.9, 2e-2)}) {
        PropagatorState model;
        const Vector4 later = positionAt(propagateSgp8, model, set, 360.0, 0);
        ASSERT_EQ(model.flags.simplifiedDrag, 0);
        EXPECT_TRUE(isFinite(later) && std::hypot(later.x, later.y, later.z) > 1.0) << set.eccentricity;
        const DragTerms d = initialiseSgp8Terms(set).drag;
        const FullDragRates r = fullDragRates(d);
        // Central differences of the lower derivatives along the orbit's drag.
        const double h = 1.0;
        const DragTerms ahead = dragTerms(movedAlongDrag(d, r.edot, h));
        const DragTerms behind = dragTerms(movedAlongDrag(d, r.edot, -h));
        const FullDragRates rAhead = fullDragRates(ahead);
        const FullDragRates rBehind = fullDragRates(behind);
        EXPECT_NEAR((ahead.xndt - behind.xndt) / (2.0 * h), r.nddot, 1e-6 * std::fabs(r.nddot)) << set.eccentricity;
        EXPECT_NEAR((rAhead.edot - rBehind.edot) / (2.0 * h), r.eddot, 1e-6 * std::fabs(r.eddot)) << set.eccentricity;
        EXPECT_NEAR((rAhead.nddot - rBehind.nddot) / (2.0 * h), r.ntrdot, 1e-6 * std::fabs(r.ntrdot))
            << set.eccentricity;

        // The power laws start with those derivatives.
        const PowerLawDrag law = powerLawDrag(d.xndt, r);
        auto n = [&](double t) { return law.xnd * (1.0 - std::pow(1.0 - law.gamma * t, law.pp)); };
        auto e = [&](double t) { return law.ed * (1.0 - std::pow(1.0 - law.gamma * t, law.qq)); };
        const double k = 1.0;
        EXPECT_NEAR((n(k) - n(-k)) / (2.0 * k), d.xndt, 1e-6 * std::fabs(d.xndt));
        EXPECT_NEAR((n(k) - 2.0 * n(0.0) + n(-k)) / (k * k), r.nddot, 1e-4 * std::fabs(r.nddot));
        if (r.edot != 0.0) {
            EXPECT_NEAR((e(k) - e(-k)) / (2.0 * k), r.edot, 1e-6 * std::fabs(r.edot));
            EXPECT_NEAR((e(k) - 2.0 * e(0.0) + e(-k)) / (k * k), r.eddot, 1e-4 * std::fabs(r.eddot));
        }
    }
}

TEST(Sgp8Drag, PastTheDecayTimeTheStateStaysFinite) {
    const ElementSet set = reportNearEarthSet(6.6816e-3);
    PropagatorState model;
    positionAt(propagateSgp8, model, set, 0.0, 0);
    ASSERT_EQ(model.flags.simplifiedDrag, 0);
    const double decay = 1.0 / model.sgp8.drag.gamma;  // minutes
    ASSERT_TRUE(decay > 600.0 && decay < 2000.0) << decay;
    const Vector4 before = positionAt(propagateSgp8, model, set, decay - 0.01, 1);
    const Vector4 after = positionAt(propagateSgp8, model, set, decay + 0.01, 1);
    EXPECT_TRUE(isFinite(before) && isFinite(after));
    EXPECT_LT(distance(before, after), 0.01);  // Earth radii: no jump at the decay time
    for (double t : {1.5 * decay, 3.0 * decay}) EXPECT_TRUE(isFinite(positionAt(propagateSgp8, model, set, t, 1))) << t;
}

TEST(Sgp8Periodics, MeanAnomalyZeroIsNotASeam) {
    // At M = 0 the true anomaly comes back as 2 pi; the short-period terms
    // must not see a whole turn between the two anomalies.
    for (double eccentricity : {0.0, 0.01}) {
        const ElementSet atZero = makeElementSet(80275.0, 51.6, 10.0, eccentricity, 30.0, 0.0, 15.5);
        ElementSet justAfter = atZero;
        justAfter.meanAnomaly = 1e-9;
        PropagatorState a, b;
        const Vector4 zero = positionAt(propagateSgp8, a, atZero, 0.0, 0);
        EXPECT_LT(distance(zero, positionAt(propagateSgp8, b, justAfter, 0.0, 0)), 1e-7) << eccentricity;
    }
}

TEST(DeepSpaceResonance, SelectionBounds) {
    // 24-hour: both bounds exclusive; 12-hour: both bounds inclusive, and only from e = 0.5.
    const struct { double xnodp, e; int resonant, synchronous; } cases[] = {
        {0.0034906585, 0.01, 0, 0}, {0.0052359877, 0.01, 0, 0}, {0.0043, 0.01, 1, 1},
        {0.00826, 0.5, 1, 0},       {0.00924, 0.5, 1, 0},       {0.0088, 0.49, 0, 0},
        {0.00825, 0.7, 0, 0},       {0.00925, 0.7, 0, 0},
    };
    for (const auto& c : cases) {
        // The module initialised again with the original mean motion (rad/min) of the row.
        PropagatorState model;
        const ElementSet set = makeElementSet(26340.5, 30.0, 10.0, c.e, 270.0, 10.0, 2.0);
        positionAt(propagateSdp4, model, set, 0.0, 0);
        model.exchange.xnodp = c.xnodp;
        deepSpaceTerms(model, kDeepSpaceInitialise, set, model.exchange);
        const ModelFlags& flags = model.flags;
        EXPECT_EQ(std::make_tuple(flags.resonant, flags.synchronous), std::make_tuple(c.resonant, c.synchronous))
            << c.xnodp << " " << c.e;
    }
}

TEST(DeepSpaceResonance, IntegratorContinuesAndRestartsAcrossTheEpoch) {
    const ElementSet set = molniyaSet();
    PropagatorState model;
    positionAt(propagateSdp4, model, set, 1000.0, 0);
    ASSERT_EQ(model.flags.resonant, 1);
    EXPECT_EQ(model.deepSpace.atime, 720.0);
    // Each call goes on in 720-minute steps from where the integrator stands,
    // back toward the epoch when it must, and starts again from the epoch
    // across it: the position is a fresh start's, to rounding.
    const struct { double minutes, atime; int steps; } calls[] = {
        {2000.0, 1440.0, 1}, {3000.0, 2880.0, 2}, {1500.0, 1440.0, 2},
        {1000.0, 720.0, 1},  {-100.0, 0.0, 0},    {-2000.0, -1440.0, 2}};
    for (const auto& c : calls) {
        SCOPED_TRACE(c.minutes);
        const Vector4 position = positionAt(propagateSdp4, model, set, c.minutes, 1);
        EXPECT_EQ(std::make_tuple(model.deepSpace.atime, model.flags.integratorSteps),
                  std::make_tuple(c.atime, c.steps));
        PropagatorState fresh;
        EXPECT_NEAR(position.x, positionAt(propagateSdp4, fresh, set, c.minutes, 0).x, 1e-9);
    }
}

// The lunar-solar periodics of 100 minutes serve at 110 (the reuse shows
// against a fresh start there); at 130 they are worked out again.
TEST(DeepSpacePeriodics, ReusedWithinThirtyMinutes) {
    const ElementSet set = vantrek::testing::reportDeepSpaceSet();
    PropagatorState model, fresh;
    positionAt(propagateSdp4, model, set, 100.0, 0);
    const Vector4 reused = positionAt(propagateSdp4, model, set, 110.0, 1);
    EXPECT_NE(reused.x, positionAt(propagateSdp4, fresh, set, 110.0, 0).x);
    EXPECT_EQ(positionAt(propagateSdp4, model, set, 130.0, 1).x, positionAt(propagateSdp4, fresh, set, 130.0, 0).x);
}

TEST(DeepSpaceInitialisation, GeosynchronousOrbitsIncludingTheEquatorialOneUnderSdp4AndSdp8) {
    for (Model propagate : kDeepSpaceModels) {
        for (double inclination : {0.05, 0.0}) {  // at 0 the node rate would be 0 / 0
            PropagatorState model;
            const ElementSet set = vantrek::testing::geostationarySet(inclination);
            const Vector4 start = positionAt(propagate, model, set, 0.0, 0);
            ASSERT_EQ(model.flags.synchronous, 1);
            EXPECT_EQ(model.deepSpace.ssh, 0.0);
            const Vector4 dayLater = positionAt(propagate, model, set, 1436.07, 1);  // one sidereal day on
            EXPECT_NEAR(std::hypot(dayLater.x, dayLater.y), 6.61, 0.01) << inclination;  // Earth radii
            EXPECT_NEAR(std::atan2(dayLater.y, dayLater.x), std::atan2(start.y, start.x), 0.01) << inclination;
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
    const double lowest = 0.5 * a * (1.0 - 0.9728), step = 5.0;  // minutes
    const double longestJump = std::sqrt(2.0 * muEr / lowest) * step;
    for (Model propagate : kDeepSpaceModels) {
        PropagatorState model;
        Vector4 previous = positionAt(propagate, model, set, 0.0, 0);
        for (double t = step; t < 2 * 13.7 * 1440.0; t += step) {
            const Vector4 position = positionAt(propagate, model, set, t, 1);
            ASSERT_GT(std::hypot(position.x, position.y, position.z), lowest) << t;
            ASSERT_LT(std::hypot(position.x, position.y, position.z), 1.01 * a * (1.0 + 0.9728)) << t;
            ASSERT_LT(distance(position, previous), longestJump) << t;
            previous = position;
        }
    }
}
