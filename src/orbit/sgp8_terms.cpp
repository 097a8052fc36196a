#include "orbit/sgp8_terms.hpp"

#include <cmath>

#include "orbit/model_constants.hpp"
#include "orbit/secular_gravity.hpp"

namespace vantrek {

DragTerms dragTerms(const DragElements& el) {
    DragTerms d;
    d.elements = el;
    const double e = el.e;
    const double cosi = el.cosi;
    d.eosq = e * e;
    d.betao2 = 1.0 - d.eosq;
    d.alpha2 = 1.0 + d.eosq;
    const double po = el.aodp * d.betao2;  // semi-latus rectum
    d.tsi = 1.0 / (po - kDragS);
    d.eta = e * kDragS * d.tsi;
    d.eta2 = d.eta * d.eta;
    d.eeta = e * d.eta;
    d.psim2 = std::fabs(1.0 / (1.0 - d.eta2));
    d.cosg = std::cos(el.argPerigee);
    d.sing = std::sin(el.argPerigee);
    d.cos2g = 2.0 * d.cosg * d.cosg - 1.0;
    d.sin2g = 2.0 * d.sing * d.cosg;

    const double eta = d.eta;
    const double eta2 = d.eta2;
    d.d5 = d.tsi * d.psim2;
    d.d1 = d.d5 / po;
    d.d2 = 12.0 + eta2 * (36.0 + 4.5 * eta2);
    d.d3 = eta2 * (15.0 + 2.5 * eta2);
    d.d4 = eta * (5.0 + 3.75 * eta2);
    d.b1 = kCk2 * (3.0 * cosi * cosi - 1.0);
    d.b2 = -kCk2 * (1.0 - cosi * cosi);
    d.b3 = kA3ovk2 * el.sini;

    const double b = 2.0 * el.bstar / kSgp8Rho;
    const double tsi2 = d.tsi * d.tsi;
    const double psim2Power = d.psim2 * d.psim2 * d.psim2 * std::sqrt(d.psim2);  // psim2^3.5
    d.c0 = 0.5 * b * kSgp8Rho * kQoms2t * el.xnodp * el.aodp * tsi2 * tsi2 * psim2Power / std::sqrt(d.alpha2);
    d.c1 = 1.5 * el.xnodp * d.alpha2 * d.alpha2 * d.c0;
    d.c4 = d.d1 * d.d3 * d.b2;
    d.c5 = d.d5 * d.d4 * d.b3;
    d.xndt = d.c1 * ((2.0 + eta2 * (3.0 + 34.0 * d.eosq) + 5.0 * d.eeta * (4.0 + eta2) + 8.5 * d.eosq) +
                     d.d1 * d.d2 * d.b1 + d.c4 * d.cos2g + d.c5 * d.sing);
    return d;
}

double simplifiedEccentricityRate(double xndt, double xnodp, double e) {
    return -kTwoThirds * (xndt / xnodp) * (1.0 - e);
}

Sgp8Initialisation initialiseSgp8Terms(const ElementSet& set) {
    Sgp8Initialisation init;
    const RecoveredElements& r = init.recovered = recoverOriginalElements(set);
    const SecularGravityRates rates = secularGravityRates(r);

    Sgp8Periodics& p = init.periodics;
    p.cosi = r.cosio;
    p.sini = std::sin(set.inclination);
    p.theta2 = r.theta2;
    p.x3thm1 = r.x3thm1;
    p.x1mth2 = 1.0 - r.theta2;
    p.x1m5th = 1.0 - 5.0 * r.theta2;
    p.sinio2 = std::sin(0.5 * set.inclination);
    p.cosio2 = std::cos(0.5 * set.inclination);

    DragElements el;
    el.xnodp = r.xnodp;
    el.aodp = r.aodp;
    el.e = set.eccentricity;
    el.argPerigee = set.argPerigee;
    el.cosi = p.cosi;
    el.sini = p.sini;
    el.bstar = set.bstar;
    el.xgdt1 = rates.xgdt1;
    init.drag = dragTerms(el);

    Sgp8Secular& s = init.secular;
    s.xnodp = r.xnodp;
    s.xlldot = rates.xmdot;
    s.omgdt = rates.omgdot;
    s.xnodot = rates.xnodot;
    s.xmdt1 = rates.xmdt1;
    s.xgdt1 = rates.xgdt1;
    s.xhdt1 = rates.xhdt1;
    s.xndt = init.drag.xndt;
    return init;
}

}  // namespace vantrek
