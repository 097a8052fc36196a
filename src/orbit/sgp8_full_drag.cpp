#include "orbit/sgp8_full_drag.hpp"

#include "orbit/model_constants.hpp"

namespace vantrek {

// The derivatives follow the drag along the decaying orbit: the mean motion
// rises, the axis falls with it (a ~ n^-2/3), the eccentricity and the
// perigee move; every factor of the mean motion's rate is differentiated in
// turn. Names ending in "dt" are rates, "xxdtxx" logarithmic rates.
FullDragRates fullDragRates(const DragTerms& d) {
    const DragElements& el = d.elements;
    const double e = el.e;
    const double eta = d.eta;
    const double eta2 = d.eta2;
    const double eosq = d.eosq;
    const double eeta = d.eeta;
    const double xgdt1 = el.xgdt1;
    const double xndt = d.xndt;
    const double xndtn = xndt / el.xnodp;

    FullDragRates rates;
    const double d6 = eta * (30.0 + 22.5 * eta2);
    const double d7 = eta * (5.0 + 12.5 * eta2);
    const double d8 = 1.0 + eta2 * (6.75 + eta2);
    const double c8 = d.d1 * d7 * d.b2;
    const double c9 = d.d5 * d8 * d.b3;
    const double edot = -d.c0 * (eta * (4.0 + eta2 + eosq * (15.5 + 7.0 * eta2)) + e * (5.0 + 15.0 * eta2) +
                                 d.d1 * d6 * d.b1 + c8 * d.cos2g + c9 * d.sing);
    rates.edot = edot;

    // First derivatives of the factors.
    const double d20 = 0.5 * kTwoThirds * xndtn;  // rate of n a, over n a
    const double aldtal = e * edot / d.alpha2;
    const double tsdtts = 2.0 * el.aodp * d.tsi * (d20 * d.betao2 + e * edot);
    const double etdt = (edot + e * tsdtts) * d.tsi * kDragS;
    const double psdtps = -eta * etdt * d.psim2;
    const double c0dtc0 = d20 + 4.0 * tsdtts - aldtal - 7.0 * psdtps;
    const double c1dtc1 = xndtn + 4.0 * aldtal + c0dtc0;
    const double d9 = eta * (6.0 + 68.0 * eosq) + e * (20.0 + 15.0 * eta2);
    const double d10 = 5.0 * eta * (4.0 + eta2) + e * (17.0 + 68.0 * eta2);
    const double d11 = eta * (72.0 + 18.0 * eta2);
    const double d12 = eta * (30.0 + 10.0 * eta2);
    const double d13 = 5.0 + 11.25 * eta2;
    const double d14 = tsdtts - 2.0 * psdtps;
    const double d15 = 2.0 * (d20 + e * edot / d.betao2);
    const double d1dt = d.d1 * (d14 + d15);
    const double d2dt = etdt * d11;
    const double d3dt = etdt * d12;
    const double d4dt = etdt * d13;
    const double d5dt = d.d5 * d14;
    const double c4dt = d.b2 * (d1dt * d.d3 + d.d1 * d3dt);
    const double c5dt = d.b3 * (d5dt * d.d4 + d.d5 * d4dt);
    const double perigeeTerms = d.c5 * d.cosg - 2.0 * d.c4 * d.sin2g;
    const double d16 = d9 * etdt + d10 * edot + d.b1 * (d1dt * d.d2 + d.d1 * d2dt) + c4dt * d.cos2g +
                       c5dt * d.sing + xgdt1 * perigeeTerms;
    const double xnddt = c1dtc1 * xndt + d.c1 * d16;
    const double eddot =
        c0dtc0 * edot -
        d.c0 * ((4.0 + 3.0 * eta2 + 30.0 * eeta + eosq * (15.5 + 21.0 * eta2)) * etdt +
                (5.0 + 15.0 * eta2 + eeta * (31.0 + 14.0 * eta2)) * edot +
                d.b1 * (d1dt * d6 + d.d1 * etdt * (30.0 + 67.5 * eta2)) +
                d.b2 * (d1dt * d7 + d.d1 * etdt * (5.0 + 37.5 * eta2)) * d.cos2g +
                d.b3 * (d5dt * d8 + d.d5 * etdt * eta * (13.5 + 4.0 * eta2)) * d.sing +
                xgdt1 * (c9 * d.cosg - 2.0 * c8 * d.sin2g));
    rates.nddot = xnddt;
    rates.eddot = eddot;

    // Second derivatives of the factors.
    const double d25 = edot * edot;
    const double d17 = xnddt / el.xnodp - xndtn * xndtn;
    const double tsddts = 2.0 * tsdtts * (tsdtts - d20) +
                          el.aodp * d.tsi *
                              (kTwoThirds * d.betao2 * d17 - 4.0 * d20 * e * edot + 2.0 * (d25 + e * eddot));
    const double etddt = (eddot + 2.0 * edot * tsdtts) * d.tsi * kDragS + tsddts * eta;
    const double d18 = tsddts - tsdtts * tsdtts;
    // psdtps^2 / eta^2 written as etdt^2 psim2^2, which stays finite for a
    // circular orbit (eta = 0).
    const double d19 = -etdt * etdt * d.psim2 * d.psim2 - eta * etddt * d.psim2 - psdtps * psdtps;
    const double d23 = etdt * etdt;
    const double d1ddt = d1dt * (d14 + d15) +
                         d.d1 * (d18 - 2.0 * d19 + kTwoThirds * d17 +
                                 2.0 * (d.alpha2 * d25 / d.betao2 + e * eddot) / d.betao2);
    rates.ntrdot =
        xndt * (2.0 * kTwoThirds * d17 + 3.0 * (d25 + e * eddot) / d.alpha2 - 6.0 * aldtal * aldtal + 4.0 * d18 -
                7.0 * d19) +
        c1dtc1 * xnddt +
        d.c1 * (c1dtc1 * d16 + d9 * etddt + d10 * eddot + d23 * (6.0 + 30.0 * eeta + 68.0 * eosq) +
                etdt * edot * (40.0 + 30.0 * eta2 + 272.0 * eeta) + d25 * (17.0 + 68.0 * eta2) +
                d.b1 * (d1ddt * d.d2 + 2.0 * d1dt * d2dt + d.d1 * (etddt * d11 + d23 * (72.0 + 54.0 * eta2))) +
                d.b2 * (d1ddt * d.d3 + 2.0 * d1dt * d3dt + d.d1 * (etddt * d12 + d23 * (30.0 + 30.0 * eta2))) *
                    d.cos2g +
                d.b3 *
                    ((d5dt * d14 + d.d5 * (d18 - 2.0 * d19)) * d.d4 + 2.0 * d4dt * d5dt +
                     d.d5 * (etddt * d13 + 22.5 * eta * d23)) *
                    d.sing +
                xgdt1 * ((7.0 * d20 + 4.0 * e * edot / d.betao2) * perigeeTerms +
                         ((2.0 * c5dt * d.cosg - 4.0 * c4dt * d.sin2g) -
                          xgdt1 * (d.c5 * d.sing + 4.0 * d.c4 * d.cos2g))));
    return rates;
}

PowerLawDrag powerLawDrag(double xndt, const FullDragRates& r) {
    PowerLawDrag law;
    // Scaled so that the squares stay well inside the range of a double.
    const double tmnddt = r.nddot * 1.0e9;
    const double temp = tmnddt * tmnddt - xndt * 1.0e18 * r.ntrdot;
    law.pp = (temp + tmnddt * tmnddt) / temp;
    law.gamma = -r.ntrdot / (r.nddot * (law.pp - 2.0));
    law.xnd = xndt / (law.pp * law.gamma);
    if (r.edot == 0.0) {
        // No eccentricity rate to scale (a circular orbit with its perigee on
        // the node): the eccentricity keeps its epoch value.
        law.qq = 0.0;
        law.ed = 0.0;
    } else {
        law.qq = 1.0 - r.eddot / (r.edot * law.gamma);
        law.ed = r.edot / (law.qq * law.gamma);
    }
    law.ovgpp = 1.0 / (law.gamma * (law.pp + 1.0));
    return law;
}

}  // namespace vantrek
