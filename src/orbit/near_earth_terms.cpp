#include "orbit/near_earth_terms.hpp"

#include <cmath>

#include "astro/angles.hpp"
#include "orbit/angle_sum.hpp"
#include "orbit/model_constants.hpp"
#include "orbit/orbit_orientation.hpp"
#include "orbit/secular_gravity.hpp"

namespace vantrek {

namespace {

constexpr double kStandardAtmosphereKm = 156.0;  // perigees from here up use the standard s
constexpr double kLowestAtmosphereKm = 98.0;     // at or below: s* is fixed at 20 km

}  // namespace

DragAtmosphere atmosphereForPerigee(double perigeeKm) {
    if (perigeeKm >= kStandardAtmosphereKm) return {kDragS, kQoms2t};
    const double sStarKm = perigeeKm <= kLowestAtmosphereKm ? 20.0 : perigeeKm - 78.0;
    const double q = (120.0 - sStarKm) / kEarthRadiusKm;
    return {sStarKm / kEarthRadiusKm + 1.0, q * q * q * q};
}

NearEarthInitialisation initialiseNearEarth(const ElementSet& set) {
    NearEarthInitialisation n;
    const RecoveredElements& r = n.recovered = recoverOriginalElements(set);
    const double e = set.eccentricity;
    const double aodp = r.aodp;
    const double xnodp = r.xnodp;
    n.atmosphere = atmosphereForPerigee((aodp * (1.0 - e) - 1.0) * kEarthRadiusKm);

    n.tsi = 1.0 / (aodp - n.atmosphere.s4);
    n.eta = aodp * e * n.tsi;
    n.etasq = n.eta * n.eta;
    n.eeta = e * n.eta;
    const double etasq = n.etasq;
    const double eeta = n.eeta;
    const double psisq = std::fabs(1.0 - etasq);
    const double tsi2 = n.tsi * n.tsi;
    n.coef = n.atmosphere.qoms24 * tsi2 * tsi2;
    n.coef1 = n.coef / (psisq * psisq * psisq * std::sqrt(psisq));  // psisq^3.5
    n.c2 = n.coef1 * xnodp *
           (aodp * (1.0 + 1.5 * etasq + eeta * (4.0 + etasq)) +
            0.75 * kCk2 * n.tsi / psisq * r.x3thm1 * (8.0 + 3.0 * etasq * (8.0 + etasq)));

    NearEarthSecular& s = n.secular;
    s.aodp = aodp;
    s.xnodp = xnodp;
    s.c1 = set.bstar * n.c2;

    NearEarthPeriodics& p = n.periodics;
    p.cosio = r.cosio;
    p.sinio = std::sin(set.inclination);
    p.x3thm1 = r.x3thm1;
    p.x1mth2 = 1.0 - r.theta2;
    p.x7thm1 = 7.0 * r.theta2 - 1.0;
    p.xlcof = 0.125 * kA3ovk2 * p.sinio * (3.0 + 5.0 * p.cosio) / (1.0 + p.cosio);
    p.aycof = 0.25 * kA3ovk2 * p.sinio;

    s.c4 = 2.0 * xnodp * n.coef1 * aodp * r.betao2 *
           (n.eta * (2.0 + 0.5 * etasq) + e * (0.5 + 2.0 * etasq) -
            2.0 * kCk2 * n.tsi / (aodp * psisq) *
                (-3.0 * r.x3thm1 * (1.0 - 2.0 * eeta + etasq * (1.5 - 0.5 * eeta)) +
                 0.75 * p.x1mth2 * (2.0 * etasq - eeta * (1.0 + etasq)) * std::cos(2.0 * set.argPerigee)));

    const SecularGravityRates rates = secularGravityRates(r);
    s.xmdot = rates.xmdot;
    s.omgdot = rates.omgdot;
    s.xnodot = rates.xnodot;
    s.xnodcf = 3.5 * r.betao2 * rates.xhdt1 * s.c1;
    s.t2cof = 1.5 * s.c1;
    return n;
}

void positionFromMeanElements(const NearEarthPeriodics& p, const MeanElements& m,
                              KeplerFallback fallback, Vector4& position, Vector4& velocity) {
    const double a = m.a;
    const double sqrtA = std::sqrt(a);
    const double xn = kXke / (a * sqrtA);

    // Long-period periodics.
    const double axn = m.e * std::cos(m.omega);
    double temp = 1.0 / (a * (1.0 - m.e * m.e));
    const double xlt = m.xl + temp * p.xlcof * axn;
    const double ayn = m.e * std::sin(m.omega) + temp * p.aycof;

    const double capu = NormalizeAngle(xlt - m.xnode);
    const KeplerRoot k = solveKepler(capu, capu, axn, ayn, kKeplerTolerance, fallback);  // E + w

    // Short-period preliminary quantities.
    const double ecose = axn * k.cosX + ayn * k.sinX;
    const double esine = axn * k.sinX - ayn * k.cosX;
    const double elsq = axn * axn + ayn * ayn;
    temp = 1.0 - elsq;
    const double pl = a * temp;
    const double r = a * (1.0 - ecose);
    double temp1 = 1.0 / r;
    const double betal = std::sqrt(temp);
    const double rdot = kXke * sqrtA * esine * temp1;
    const double rfdot = kXke * sqrtA * betal * temp1;  // sqrt(pl) = sqrt(a) betal
    double temp2 = a * temp1;
    const double temp3 = 1.0 / (1.0 + betal);
    const double cosu = temp2 * (k.cosX - axn + ayn * esine * temp3);
    const double sinu = temp2 * (k.sinX - ayn - axn * esine * temp3);
    const double sin2u = 2.0 * sinu * cosu;
    const double cos2u = 2.0 * cosu * cosu - 1.0;
    temp = 1.0 / pl;
    temp1 = kCk2 * temp;
    temp2 = temp1 * temp;

    // Short-period periodics.
    const double rk = r * (1.0 - 1.5 * temp2 * betal * p.x3thm1) + 0.5 * temp1 * p.x1mth2 * cos2u;
    const double duk = -0.25 * temp2 * p.x7thm1 * sin2u;  // to the argument of latitude u
    const double xnodek = m.xnode + 1.5 * temp2 * p.cosio * sin2u;
    const double dik = 1.5 * temp2 * p.cosio * p.sinio * cos2u;  // to the inclination
    const double rdotk = rdot - xn * temp1 * p.x1mth2 * sin2u;
    const double rfdotk = rfdot + xn * temp1 * (p.x1mth2 * cos2u + 1.5 * p.x3thm1);

    // Orientation vectors.
    // (sinu, cosu) is a unit vector: the angle u itself is never needed.
    double sinuk = 0.0, cosuk = 0.0, sinik = 0.0, cosik = 0.0;
    sinCosOfSum(sinu, cosu, duk, sinuk, cosuk);
    sinCosOfSum(m.sinInc, m.cosInc, dik, sinik, cosik);
    const double sinnok = std::sin(xnodek);
    const double cosnok = std::cos(xnodek);
    const double xmx = -sinnok * cosik;
    const double xmy = cosnok * cosik;
    OrbitOrientation o;
    o.ux = xmx * sinuk + cosnok * cosuk;
    o.uy = xmy * sinuk + sinnok * cosuk;
    o.uz = sinik * sinuk;
    o.vx = xmx * cosuk - cosnok * sinuk;
    o.vy = xmy * cosuk - sinnok * sinuk;
    o.vz = sinik * cosuk;
    stateFromOrientation(o, rk, rdotk, rfdotk, position, velocity);
}

}  // namespace vantrek
