#include "orbit/model_selection.hpp"

#include <cmath>

#include "astro/constants.hpp"
#include "orbit/model_constants.hpp"

namespace vantrek {

RecoveredElements recoverOriginalElements(const ElementSet& set) {
    RecoveredElements r;
    r.cosio = std::cos(set.inclination);
    r.theta2 = r.cosio * r.cosio;
    r.x3thm1 = 3.0 * r.theta2 - 1.0;
    r.eosq = set.eccentricity * set.eccentricity;
    r.betao2 = 1.0 - r.eosq;
    r.betao = std::sqrt(r.betao2);

    const double a1 = std::pow(kXke / set.meanMotion, kTwoThirds);
    const double oblateness = 1.5 * kCk2 * r.x3thm1 / (r.betao * r.betao2);
    const double del1 = oblateness / (a1 * a1);
    const double ao = a1 * (1.0 - del1 * (1.0 / 3.0 + del1 * (1.0 + 134.0 / 81.0 * del1)));
    const double delo = oblateness / (ao * ao);
    r.xnodp = set.meanMotion / (1.0 + delo);
    r.aodp = ao / (1.0 - delo);
    return r;
}

int selectModel(ElementSet& set) {
    set.period = kTwoPi / recoverOriginalElements(set).xnodp;
    return set.period >= kDeepSpacePeriodMinutes ? 1 : 0;
}

}  // namespace vantrek
