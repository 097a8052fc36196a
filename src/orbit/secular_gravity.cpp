#include "orbit/secular_gravity.hpp"

#include "orbit/model_constants.hpp"

namespace vantrek {

SecularGravityRates secularGravityRates(const RecoveredElements& r) {
    const double xnodp = r.xnodp;
    const double theta2 = r.theta2;
    const double theta4 = theta2 * theta2;
    const double pinvsq = 1.0 / (r.aodp * r.aodp * r.betao2 * r.betao2);  // 1 / p^2
    const double temp1 = 3.0 * kCk2 * pinvsq * xnodp;
    const double temp2 = temp1 * kCk2 * pinvsq;
    const double temp3 = 1.25 * kCk4 * pinvsq * pinvsq * xnodp;

    SecularGravityRates s;
    s.xmdt1 = 0.5 * temp1 * r.betao * r.x3thm1;
    s.xgdt1 = -0.5 * temp1 * (1.0 - 5.0 * theta2);
    s.xhdt1 = -temp1 * r.cosio;
    s.xmdot = xnodp + s.xmdt1 + 0.0625 * temp2 * r.betao * (13.0 - 78.0 * theta2 + 137.0 * theta4);
    s.omgdot = s.xgdt1 + 0.0625 * temp2 * (7.0 - 114.0 * theta2 + 395.0 * theta4) +
               temp3 * (3.0 - 36.0 * theta2 + 49.0 * theta4);
    s.xnodot = s.xhdt1 + (0.5 * temp2 * (4.0 - 19.0 * theta2) + 2.0 * temp3 * (3.0 - 7.0 * theta2)) * r.cosio;
    return s;
}

}  // namespace vantrek
