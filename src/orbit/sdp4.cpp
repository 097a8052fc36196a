#include "orbit/sdp4.hpp"

#include <cmath>

#include "orbit/angle_sum.hpp"
#include "orbit/deep_space.hpp"
#include "orbit/model_constants.hpp"
#include "orbit/near_earth_terms.hpp"

namespace vantrek {

namespace {

void initialiseSdp4(PropagatorState& model, const ElementSet& set) {
    const NearEarthInitialisation n = initialiseNearEarth(set);
    const RecoveredElements& r = n.recovered;
    Sdp4Constants& c = model.sdp4;
    c.secular = n.secular;
    c.periodics = n.periodics;
    c.axisOfXnodp = std::pow(kXke / n.secular.xnodp, kTwoThirds);

    DeepSpaceExchange& x = model.exchange;
    fillEpochExchange(x, set, r, n.secular.xmdot, n.secular.omgdot, n.secular.xnodot);
    deepSpaceTerms(model, kDeepSpaceInitialise, set, x);
}

}  // namespace

void propagateSdp4(PropagatorState& model, double tsince, const ElementSet& set, Vector4& position,
                   Vector4& velocity, uint8_t initialised) {
    if (initialised == 0) initialiseSdp4(model, set);
    const NearEarthSecular& s = model.sdp4.secular;
    DeepSpaceExchange& x = model.exchange;

    // Secular gravity and first-order drag.
    const double tsq = tsince * tsince;
    x.xll = set.meanAnomaly + s.xmdot * tsince;
    x.omgasm = set.argPerigee + s.omgdot * tsince;
    x.xnodes = set.raan + s.xnodot * tsince + s.xnodcf * tsq;
    x.xn = s.xnodp;
    x.t = tsince;
    const double tempa = 1.0 - s.c1 * tsince;
    const double tempe = set.bstar * s.c4 * tsince;
    const double templ = s.t2cof * tsq;

    deepSpaceTerms(model, kDeepSpaceSecular, set, x);
    // Only the resonances change the mean motion; otherwise the axis is the epoch one.
    const double ratio = kXke / x.xn;
    const double axis = x.xn == s.xnodp ? model.sdp4.axisOfXnodp : std::cbrt(ratio * ratio);  // ^(2/3)
    const double a = axis * (tempa * tempa);
    x.em = x.em - tempe;
    x.xll = x.xll + s.xnodp * templ;
    deepSpaceTerms(model, kDeepSpacePeriodic, set, x);

    MeanElements mean;
    mean.a = a;
    mean.e = x.em;
    mean.omega = x.omgasm;
    mean.xl = x.xll + x.omgasm + x.xnodes;
    mean.xnode = x.xnodes;
    // The Sun and the Moon move the inclination little from the epoch's.
    sinCosOfSum(x.siniq, x.cosiq, x.xinc - set.inclination, mean.sinInc, mean.cosInc);
    positionFromMeanElements(model.sdp4.periodics, mean, KeplerFallback::LastPassStart, position, velocity);
}

}  // namespace vantrek
