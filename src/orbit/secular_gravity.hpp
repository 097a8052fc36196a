#pragma once

#include "orbit/model_selection.hpp"

namespace vantrek {

// The secular rates the Earth's oblateness gives the mean anomaly, the
// argument of perigee and the node (J2 to second order, and J4), rad/min.
// The first-order J2 parts are kept apart: the SGP8 family scales them as
// drag changes the mean motion.
struct SecularGravityRates {
    double xmdot = 0.0;   // mean anomaly, the mean motion included
    double omgdot = 0.0;  // argument of perigee
    double xnodot = 0.0;  // node
    double xmdt1 = 0.0;   // first-order J2 parts of the three
    double xgdt1 = 0.0;
    double xhdt1 = 0.0;
};

SecularGravityRates secularGravityRates(const RecoveredElements& r);

}  // namespace vantrek
