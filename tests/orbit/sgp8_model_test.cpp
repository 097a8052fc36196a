#include <cmath>
#include <initializer_list>

#include <gtest/gtest.h>

#include "orbit/model_constants.hpp"
#include "orbit/propagation.hpp"
#include "orbit/sgp8_full_drag.hpp"
#include "orbit/sgp8_terms.hpp"
#include "../support/orbit_fixtures.hpp"

using namespace vantrek;
using vantrek::testing::makeElementSet;
using vantrek::testing::reportNearEarthSet;

namespace {

// Relative change of the mean motion per day that the drag gives at epoch.
double dailyDragRate(const ElementSet& set) {
    const Sgp8Initialisation init = initialiseSgp8Terms(set);
    return std::fabs(init.secular.xndt / init.secular.xnodp) * kMinutesPerDay;
}

Vector4 sgp8At(PropagatorState& model, const ElementSet& set, double minutes, uint8_t initialised) {
    Vector4 position, velocity;
    propagateSgp8(model, minutes, set, position, velocity, initialised);
    return position;
}

double distance(const Vector4& a, const Vector4& b) { return std::hypot(a.x - b.x, a.y - b.y, a.z - b.z); }

bool isFinite(const Vector4& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

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

TEST(Sgp8Drag, SimplifiedBelowTheRelativeRateOf216e3PerDay) {
    PropagatorState model;
    // No drag term: no drag rate at all.
    sgp8At(model, reportNearEarthSet(0.0), 0.0, 0);
    EXPECT_EQ(model.flags.simplifiedDrag, 1);
    EXPECT_EQ(model.sgp8.secular.xndt, 0.0);

    // The report's own set (about 1.1e-4 per day) takes the simplified branch;
    // the rate is proportional to the drag term: either side of the threshold.
    const ElementSet report = reportNearEarthSet(6.6816e-5);
    EXPECT_NEAR(dailyDragRate(report), 1.13e-4, 1e-6);
    const double thresholdBstar = 6.6816e-5 * 2.16e-3 / dailyDragRate(report);
    sgp8At(model, reportNearEarthSet(thresholdBstar * 0.999), 0.0, 0);
    EXPECT_EQ(model.flags.simplifiedDrag, 1);
    EXPECT_EQ(model.sgp8.drag.gamma, 0.0);
    sgp8At(model, reportNearEarthSet(thresholdBstar * 1.001), 0.0, 0);
    EXPECT_EQ(model.flags.simplifiedDrag, 0);
    EXPECT_GT(model.sgp8.drag.gamma, 0.0);
    // The flag reflects the model's last initialisation, also back to simplified.
    sgp8At(model, report, 0.0, 0);
    EXPECT_EQ(model.flags.simplifiedDrag, 1);
}

TEST(Sgp8Drag, HigherDerivativesFollowTheDecayingOrbit) {
    // Near-circular, eccentric, and circular with the perigee on the node.
    for (const ElementSet& set : {reportNearEarthSet(6.6816e-3), makeElementSet(80275.0, 30.0, 10.0, 0.1, 200.0, 0.0, 14.0, 2e-2),
                                  makeElementSet(80275.0, 98.0, 10.0, 0.0, 0.0, 0.0, 15.9, 2e-2)}) {
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
    sgp8At(model, set, 0.0, 0);
    ASSERT_EQ(model.flags.simplifiedDrag, 0);
    const double decay = 1.0 / model.sgp8.drag.gamma;  // minutes
    ASSERT_TRUE(decay > 600.0 && decay < 2000.0) << decay;
    const Vector4 before = sgp8At(model, set, decay - 0.01, 1);
    const Vector4 after = sgp8At(model, set, decay + 0.01, 1);
    EXPECT_TRUE(isFinite(before) && isFinite(after));
    EXPECT_LT(distance(before, after), 0.01);  // Earth radii: no jump at the decay time
    for (double t : {1.5 * decay, 3.0 * decay}) EXPECT_TRUE(isFinite(sgp8At(model, set, t, 1))) << t;
}

TEST(Sgp8Drag, CircularOrbitWithThePerigeeOnTheNodeStaysFinite) {
    // e = 0 and w = 0: no eccentricity rate, and eta = 0 in the derivatives.
    // The sign of the perigee's rate (either side of 63.4 degrees) decides
    // the sign of the eccentricity's second derivative.
    for (double inclination : {98.0, 51.6}) {
        const ElementSet set = makeElementSet(80275.0, inclination, 10.0, 0.0, 0.0, 0.0, 15.9, 2e-2);
        PropagatorState model;
        sgp8At(model, set, 0.0, 0);
        ASSERT_EQ(model.flags.simplifiedDrag, 0);
        EXPECT_EQ(model.sgp8.drag.ed, 0.0);
        for (double t : {0.0, 90.0, 360.0}) {
            const Vector4 p = sgp8At(model, set, t, 1);
            EXPECT_TRUE(isFinite(p)) << inclination << " " << t;
            EXPECT_GT(std::hypot(p.x, p.y, p.z), 1.0) << inclination << " " << t;
        }
    }
}

TEST(Sgp8Periodics, MeanAnomalyZeroIsNotASeam) {
    // At M = 0 the true anomaly comes back as 2 pi; the short-period terms
    // must not see a whole turn between the two anomalies.
    for (double eccentricity : {0.0, 0.01}) {
        const ElementSet atZero = makeElementSet(80275.0, 51.6, 10.0, eccentricity, 30.0, 0.0, 15.5);
        ElementSet justAfter = atZero;
        justAfter.meanAnomaly = 1e-9;
        PropagatorState a, b;
        EXPECT_LT(distance(sgp8At(a, atZero, 0.0, 0), sgp8At(b, justAfter, 0.0, 0)), 1e-7) << eccentricity;
    }
}
