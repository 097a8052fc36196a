#include "orbit/sgp4.hpp"

#include <cmath>

#include "orbit/model_constants.hpp"
#include "orbit/near_earth_terms.hpp"

namespace vantrek {

namespace {

// A perigee below 220 km above the surface keeps the drag to low order.
constexpr double kSimplifiedDragPerigee = 1.034492841559484;  // Earth radii from the centre

void initialiseSgp4(Sgp4Constants& c, ModelFlags& flags, const ElementSet& set) {
    const NearEarthInitialisation n = initialiseNearEarth(set);
    const RecoveredElements& r = n.recovered;
    const double e = set.eccentricity;
    const double aodp = n.secular.aodp;
    c.secular = n.secular;
    c.periodics = n.periodics;
    c.eta = n.eta;
    flags.simplifiedDrag = aodp * (1.0 - e) < kSimplifiedDragPerigee ? 1 : 0;

    const double c1 = c.secular.c1;
    // A circular orbit (e exactly 0) has no perigee for these two drag terms
    // to turn; dividing by e would make every position NaN.
    const double c3 = e != 0.0 ? n.coef * n.tsi * kA3ovk2 * n.secular.xnodp * c.periodics.sinio / e : 0.0;
    c.c5 = 2.0 * n.coef1 * aodp * r.betao2 * (1.0 + 2.75 * (n.etasq + n.eeta) + n.eeta * n.etasq);
    c.omgcof = set.bstar * c3 * std::cos(set.argPerigee);
    c.xmcof = n.eeta != 0.0 ? -kTwoThirds * n.coef * set.bstar / n.eeta : 0.0;
    const double base = 1.0 + n.eta * std::cos(set.meanAnomaly);
    c.delmo = base * base * base;
    c.sinmo = std::sin(set.meanAnomaly);

    if (flags.simplifiedDrag) {
        c.d2 = c.d3 = c.d4 = c.t3cof = c.t4cof = c.t5cof = 0.0;
        return;
    }
    const double s4 = n.atmosphere.s4;
    const double c1sq = c1 * c1;
    c.d2 = 4.0 * aodp * n.tsi * c1sq;
    const double temp = c.d2 * n.tsi * c1 / 3.0;
    c.d3 = (17.0 * aodp + s4) * temp;
    c.d4 = 0.5 * temp * aodp * n.tsi * (221.0 * aodp + 31.0 * s4) * c1;
    c.t3cof = c.d2 + 2.0 * c1sq;
    c.t4cof = 0.25 * (3.0 * c.d3 + c1 * (12.0 * c.d2 + 10.0 * c1sq));
    c.t5cof = 0.2 * (3.0 * c.d4 + 12.0 * c1 * c.d3 + 6.0 * c.d2 * c.d2 + 15.0 * c1sq * (2.0 * c.d2 + c1sq));
}

}  // namespace

void propagateSgp4(PropagatorState& model, double tsince, const ElementSet& set, Vector4& position,
                   Vector4& velocity, uint8_t initialised) {
    Sgp4Constants& c = model.sgp4;
    if (initialised == 0) initialiseSgp4(c, model.flags, set);
    const NearEarthSecular& s = c.secular;

    // Secular gravity and atmospheric drag.
    const double xmdf = set.meanAnomaly + s.xmdot * tsince;
    const double omgadf = set.argPerigee + s.omgdot * tsince;
    const double xnoddf = set.raan + s.xnodot * tsince;
    double omega = omgadf;
    double xmp = xmdf;
    const double tsq = tsince * tsince;
    const double xnode = xnoddf + s.xnodcf * tsq;
    double tempa = 1.0 - s.c1 * tsince;
    double tempe = set.bstar * s.c4 * tsince;
    double templ = s.t2cof * tsq;
    if (!model.flags.simplifiedDrag) {
        const double delomg = c.omgcof * tsince;
        const double base = 1.0 + c.eta * std::cos(xmdf);
        const double delm = c.xmcof * (base * base * base - c.delmo);
        const double temp = delomg + delm;
        xmp = xmdf + temp;
        omega = omgadf - temp;
        const double tcube = tsq * tsince;
        const double tfour = tsince * tcube;
        tempa = tempa - c.d2 * tsq - c.d3 * tcube - c.d4 * tfour;
        tempe = tempe + set.bstar * c.c5 * (std::sin(xmp) - c.sinmo);
        templ = templ + c.t3cof * tcube + tfour * (c.t4cof + tsince * c.t5cof);
    }

    MeanElements mean;
    mean.a = s.aodp * (tempa * tempa);
    mean.e = set.eccentricity - tempe;
    mean.omega = omega;
    mean.xl = xmp + omega + xnode + s.xnodp * templ;
    mean.xnode = xnode;
    mean.sinInc = c.periodics.sinio;  // the inclination has no secular change here
    mean.cosInc = c.periodics.cosio;
    positionFromMeanElements(c.periodics, mean, KeplerFallback::LastComputed, position, velocity);
}

}  // namespace vantrek
