#include "orbit/sgp8.hpp"

#include <cmath>

#include "astro/angles.hpp"
#include "orbit/model_constants.hpp"
#include "orbit/sgp8_full_drag.hpp"
#include "orbit/sgp8_periodics.hpp"
#include "orbit/sgp8_terms.hpp"

namespace vantrek {

namespace {

// Below this relative change of the mean motion per day the drag is kept
// linear in the mean motion and quadratic in the mean anomaly.
constexpr double kSimplifiedDragRate = 2.16e-3;
constexpr double kSgp8KeplerTolerance = 1.0e-8;

void initialiseSgp8(Sgp8Constants& c, ModelFlags& flags, const ElementSet& set) {
    const Sgp8Initialisation init = initialiseSgp8Terms(set);
    c.secular = init.secular;
    c.periodics = init.periodics;
    c.drag = PowerLawDrag{};
    const double xndtn = init.secular.xndt / init.secular.xnodp;
    if (std::fabs(xndtn * kMinutesPerDay) < kSimplifiedDragRate) {
        flags.simplifiedDrag = 1;
        c.secular.edot = simplifiedEccentricityRate(init.secular.xndt, init.secular.xnodp, set.eccentricity);
        return;
    }
    flags.simplifiedDrag = 0;
    const FullDragRates rates = fullDragRates(init.drag);
    c.secular.edot = rates.edot;
    c.drag = powerLawDrag(init.secular.xndt, rates);
}

// f^p for the power laws; beyond the decay time (f < 0) the power is taken of
// |f| and its sign kept, so the laws go on with finite values.
double signedPower(double f, double p) {
    return f < 0.0 ? -std::pow(-f, p) : std::pow(f, p);
}

}  // namespace

void propagateSgp8(PropagatorState& model, double tsince, const ElementSet& set, Vector4& position,
                   Vector4& velocity, uint8_t initialised) {
    Sgp8Constants& c = model.sgp8;
    if (initialised == 0) initialiseSgp8(c, model.flags, set);
    const Sgp8Secular& s = c.secular;

    // Secular gravity and atmospheric drag.
    const double xmam = NormalizeAngle(set.meanAnomaly + s.xlldot * tsince);
    double omgasm = set.argPerigee + s.omgdt * tsince;
    double xnodes = set.raan + s.xnodot * tsince;
    double xn = 0.0;
    double em = 0.0;
    double z1 = 0.0;  // drag change of the mean anomaly, rad
    if (model.flags.simplifiedDrag) {
        xn = s.xnodp + s.xndt * tsince;
        em = set.eccentricity + s.edot * tsince;
        z1 = 0.5 * s.xndt * tsince * tsince;
    } else {
        const PowerLawDrag& law = c.drag;
        const double f = 1.0 - law.gamma * tsince;
        const double fp = signedPower(f, law.pp);
        xn = s.xnodp + law.xnd * (1.0 - fp);
        em = set.eccentricity + law.ed * (1.0 - signedPower(f, law.qq));
        z1 = law.xnd * (tsince + law.ovgpp * (f * fp - 1.0));
    }
    // The secular rates grow with the mean motion as n^(7/3).
    const double z7 = 3.5 * kTwoThirds * z1 / s.xnodp;
    omgasm += z7 * s.xgdt1;
    xnodes += z7 * s.xhdt1;

    Sgp8MeanElements mean;
    mean.xn = xn;
    mean.em = em;
    mean.xmam = NormalizeAngle(xmam + z1 + z7 * s.xmdt1);
    mean.omgasm = omgasm;
    mean.xnodes = xnodes;
    mean.sinHalfInclination = c.periodics.sinio2;
    positionFromSgp8Elements(c.periodics, mean, kSgp8KeplerTolerance, position, velocity);
}

}  // namespace vantrek
