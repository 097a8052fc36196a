#include "orbit/sdp8.hpp"

#include <cmath>

#include "astro/angles.hpp"
#include "orbit/deep_space.hpp"
#include "orbit/model_constants.hpp"
#include "orbit/sgp8_periodics.hpp"
#include "orbit/sgp8_terms.hpp"

namespace vantrek {

namespace {

constexpr double kSdp8KeplerTolerance = 1.0e-6;

void initialiseSdp8(PropagatorState& model, const ElementSet& set) {
    const Sgp8Initialisation init = initialiseSgp8Terms(set);
    Sdp8Constants& c = model.sdp8;
    c.secular = init.secular;
    c.periodics = init.periodics;
    c.secular.edot = simplifiedEccentricityRate(init.secular.xndt, init.secular.xnodp, set.eccentricity);
    model.flags.simplifiedDrag = 1;  // the deep-space model has no other drag

    DeepSpaceExchange& x = model.exchange;
    fillEpochExchange(x, set, init.recovered, init.secular.xlldot, init.secular.omgdt, init.secular.xnodot);
    deepSpaceTerms(model, kDeepSpaceInitialise, set, x);
}

}  // namespace

void propagateSdp8(PropagatorState& model, double tsince, const ElementSet& set, Vector4& position,
                   Vector4& velocity, uint8_t initialised) {
    if (initialised == 0) initialiseSdp8(model, set);
    const Sgp8Secular& s = model.sdp8.secular;
    DeepSpaceExchange& x = model.exchange;

    // Secular gravity and the drag's change of the rates (n^(7/3)).
    const double z1 = 0.5 * s.xndt * tsince * tsince;
    const double z7 = 3.5 * kTwoThirds * z1 / s.xnodp;
    x.xll = set.meanAnomaly + s.xlldot * tsince;
    x.omgasm = set.argPerigee + s.omgdt * tsince + z7 * s.xgdt1;
    x.xnodes = set.raan + s.xnodot * tsince + z7 * s.xhdt1;
    x.xn = s.xnodp;
    x.t = tsince;

    deepSpaceTerms(model, kDeepSpaceSecular, set, x);
    x.xn = x.xn + s.xndt * tsince;
    x.em = x.em + s.edot * tsince;
    x.xll = x.xll + z1 + z7 * s.xmdt1;
    deepSpaceTerms(model, kDeepSpacePeriodic, set, x);

    Sgp8MeanElements mean;
    mean.xn = x.xn;
    mean.em = x.em;
    mean.xmam = NormalizeAngle(x.xll);
    mean.omgasm = x.omgasm;
    mean.xnodes = x.xnodes;
    mean.sinHalfInclination = std::sin(0.5 * x.xinc);  // the lunar-solar terms move the inclination
    positionFromSgp8Elements(model.sdp8.periodics, mean, kSdp8KeplerTolerance, position, velocity);
}

}  // namespace vantrek
