#include "orbit/sgp8_periodics.hpp"

#include <cmath>

#include "astro/angles.hpp"
#include "astro/constants.hpp"
#include "orbit/kepler_solution.hpp"
#include "orbit/model_constants.hpp"
#include "orbit/orbit_orientation.hpp"

namespace vantrek {

namespace {

struct EccentricAnomaly {
    double sine = 0.0;  // sin E, cos E and 1 / (1 - e cos E)
    double cose = 0.0;
    double zc5 = 0.0;
};

// Kepler's equation from the report's second-order start; without
// convergence the last estimate is used.
EccentricAnomaly solveEccentricAnomaly(double m, double e, double tolerance) {
    const double start = m + e * std::sin(m) * (1.0 + e * std::cos(m));
    const KeplerRoot root = solveKepler(start, m, e, 0.0, tolerance, KeplerFallback::LastComputed);
    return {root.sinX, root.cosX, 1.0 / (1.0 - e * root.cosX)};
}

}  // namespace

void positionFromSgp8Elements(const Sgp8Periodics& p, const Sgp8MeanElements& m, double keplerTolerance,
                              Vector4& position, Vector4& velocity) {
    const EccentricAnomaly k = solveEccentricAnomaly(m.xmam, m.em, keplerTolerance);

    // Short-period preliminary quantities.
    const double em = m.em;
    const double xn = m.xn;
    const double ratio = kXke / xn;
    const double am = std::cbrt(ratio * ratio);  // (XKE / n)^(2/3)
    const double beta2m = 1.0 - em * em;
    const double sinos = std::sin(m.omgasm);
    const double cosos = std::cos(m.omgasm);
    const double axnm = em * cosos;
    const double aynm = em * sinos;
    const double pm = am * beta2m;
    const double g1 = 1.0 / pm;
    const double g2 = 0.5 * kCk2 * g1;
    const double g3 = g2 * g1;
    const double beta = std::sqrt(beta2m);
    const double g4 = 0.25 * kA3ovk2 * p.sini;
    const double g5 = 0.25 * kA3ovk2 * g1;
    const double snf = beta * k.sine * k.zc5;  // sine and cosine of the true anomaly
    const double csf = (k.cose - em) * k.zc5;
    const double fm = AngleFromSinCos(snf, csf);
    const double snfg = snf * cosos + csf * sinos;  // sine and cosine of f + w
    const double csfg = csf * cosos - snf * sinos;
    const double sn2f2g = 2.0 * snfg * csfg;
    const double cs2f2g = 2.0 * csfg * csfg - 1.0;
    const double ecosf = em * csf;
    // The equation of the centre: f - M taken across the 0/2 pi seam (at
    // M = 0 the true anomaly comes back as 2 pi).
    double centre = fm - m.xmam;
    if (centre > kPi) centre -= kTwoPi;
    if (centre < -kPi) centre += kTwoPi;
    const double g10 = centre + em * snf;
    const double rm = pm / (1.0 + ecosf);
    const double aovr = am / rm;
    const double g13 = xn * aovr;
    const double g14 = -g13 * aovr;
    const double dr = g2 * (p.x1mth2 * cs2f2g - 3.0 * p.x3thm1) - g4 * snfg;
    const double diwc = 3.0 * g3 * p.sini * cs2f2g - g5 * aynm;
    const double di = diwc * p.cosi;

    // Short-period periodics.
    const double sni2du = p.sinio2 * (g3 * (0.5 * (1.0 - 7.0 * p.theta2) * sn2f2g - 3.0 * p.x1m5th * g10) -
                                      g5 * p.sini * csfg * (2.0 + ecosf)) -
                          0.5 * g5 * p.theta2 * axnm / p.cosio2;
    const double xlamb = fm + m.omgasm + m.xnodes +
                         g3 * (0.5 * (1.0 + 6.0 * p.cosi - 7.0 * p.theta2) * sn2f2g - 3.0 * (p.x1m5th + 2.0 * p.cosi) * g10) +
                         g5 * p.sini * (p.cosi * axnm / (1.0 + p.cosi) - (2.0 + ecosf) * csfg);
    const double sini2 = m.sinHalfInclination;
    const double y4 = sini2 * snfg + csfg * sni2du + 0.5 * snfg * p.cosio2 * di;
    const double y5 = sini2 * csfg - snfg * sni2du + 0.5 * csfg * p.cosio2 * di;
    const double r = rm + dr;
    const double rdot = xn * am * em * snf / beta + g14 * (2.0 * g2 * p.x1mth2 * sn2f2g + g4 * csfg);
    const double rvdot = xn * am * am * beta / rm + g14 * dr + am * g13 * p.sini * diwc;

    // Orientation vectors.
    const double snlamb = std::sin(xlamb);
    const double cslamb = std::cos(xlamb);
    OrbitOrientation o;
    double temp = 2.0 * (y5 * snlamb - y4 * cslamb);
    o.ux = y4 * temp + cslamb;
    o.vx = y5 * temp - snlamb;
    temp = 2.0 * (y5 * cslamb + y4 * snlamb);
    o.uy = -y4 * temp + snlamb;
    o.vy = -y5 * temp + cslamb;
    temp = 2.0 * std::sqrt(1.0 - y4 * y4 - y5 * y5);
    o.uz = y4 * temp;
    o.vz = y5 * temp;
    stateFromOrientation(o, r, rdot, rvdot, position, velocity);
}

}  // namespace vantrek
