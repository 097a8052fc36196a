#include "orbit/deep_space.hpp"

#include <cmath>
#include <limits>

#include "astro/angles.hpp"
#include "astro/constants.hpp"
#include "astro/julian_date.hpp"

namespace vantrek {

namespace {

// The Sun.
constexpr double kZns = 1.19459e-5;
constexpr double kC1ss = 2.9864797e-6;
constexpr double kZes = 0.01675;
constexpr double kZcosgs = 0.1945905;
constexpr double kZsings = -0.98088458;
// The Moon.
constexpr double kZnl = 1.5835218e-4;
constexpr double kC1l = 4.7968065e-7;
constexpr double kZel = 0.0549;
// The ecliptic.
constexpr double kZcosis = 0.91744867;
constexpr double kZsinis = 0.39785416;

constexpr double kThdt = 4.3752691e-3;  // Earth's rotation, rad/min

// 24-hour resonance.
constexpr double kQ22 = 1.7891679e-6;
constexpr double kQ31 = 2.1460748e-6;
constexpr double kQ33 = 2.2123015e-7;
constexpr double kFasx2 = 0.13130908;
constexpr double kFasx4 = 2.8843198;
constexpr double kFasx6 = 0.37448087;
// 12-hour resonance.
constexpr double kRoot22 = 1.7891679e-6;
constexpr double kRoot32 = 3.7393792e-7;
constexpr double kRoot44 = 7.3636953e-9;
constexpr double kRoot52 = 1.1428639e-7;
constexpr double kRoot54 = 2.1765803e-9;
constexpr double kG22 = 5.7686396;
constexpr double kG32 = 0.95240898;
constexpr double kG44 = 1.8014998;
constexpr double kG52 = 1.050833;
constexpr double kG54 = 4.4108898;

constexpr double kStepPositive = 720.0;  // integrator step, minutes
constexpr double kStepNegative = -720.0;
constexpr double kStepSquaredHalf = 259200.0;  // 720^2 / 2

// Mean motions (rad/min) of the resonant orbits: 24-hour bounds exclusive,
// 12-hour bounds inclusive and only for e >= 0.5.
constexpr double kSynchronousLow = 0.0034906585;
constexpr double kSynchronousHigh = 0.0052359877;
constexpr double kHalfDayLow = 0.00826;
constexpr double kHalfDayHigh = 0.00924;

constexpr double kNoNodeRateInclination = 0.052359877;  // 3 degrees
constexpr double kLowInclination = 0.2;                 // rad: periodics in the Lyddane form below
constexpr double kPeriodicReuseMinutes = 30.0;
constexpr double kJulianDate1950 = 2433281.5;  // 1950 January 0.0

// Where a perturbing body stands against the orbit at epoch.
struct PerturbingBody {
    double zcosg, zsing;  // its argument of perigee
    double zcosi, zsini;  // its inclination to the equator
    double zcosh, zsinh;  // its node, relative to the satellite's node
    double cc;            // its strength
    double zn;            // its mean motion, rad/min
    double ze;            // its eccentricity
};

// The secular rates one body contributes.
struct BodyRates {
    double se, si, sl, sgh, sh;
};

// One body's periodic coefficients and secular rates (the report's
// lunar-solar coefficient computation).
BodyRates bodyCoefficients(const PerturbingBody& b, const DeepSpaceExchange& x, double eq,
                           double xnq, double inclination, LunarSolarTerms& terms) {
    const double a1 = b.zcosg * b.zcosh + b.zsing * b.zcosi * b.zsinh;
    const double a3 = -b.zsing * b.zcosh + b.zcosg * b.zcosi * b.zsinh;
    const double a7 = -b.zcosg * b.zsinh + b.zsing * b.zcosi * b.zcosh;
    const double a8 = b.zsing * b.zsini;
    const double a9 = b.zsing * b.zsinh + b.zcosg * b.zcosi * b.zcosh;
    const double a10 = b.zcosg * b.zsini;
    const double a2 = x.cosiq * a7 + x.siniq * a8;
    const double a4 = x.cosiq * a9 + x.siniq * a10;
    const double a5 = -x.siniq * a7 + x.cosiq * a8;
    const double a6 = -x.siniq * a9 + x.cosiq * a10;

    const double x1 = a1 * x.cosomo + a2 * x.sinomo;
    const double x2 = a3 * x.cosomo + a4 * x.sinomo;
    const double x3 = -a1 * x.sinomo + a2 * x.cosomo;
    const double x4 = -a3 * x.sinomo + a4 * x.cosomo;
    const double x5 = a5 * x.sinomo;
    const double x6 = a6 * x.sinomo;
    const double x7 = a5 * x.cosomo;
    const double x8 = a6 * x.cosomo;

    const double eqsq = x.eosq;
    const double z31 = 12.0 * x1 * x1 - 3.0 * x3 * x3;
    const double z32 = 24.0 * x1 * x2 - 6.0 * x3 * x4;
    const double z33 = 12.0 * x2 * x2 - 3.0 * x4 * x4;
    double z1 = 3.0 * (a1 * a1 + a2 * a2) + z31 * eqsq;
    double z2 = 6.0 * (a1 * a3 + a2 * a4) + z32 * eqsq;
    double z3 = 3.0 * (a3 * a3 + a4 * a4) + z33 * eqsq;
    const double z11 = -6.0 * a1 * a5 + eqsq * (-24.0 * x1 * x7 - 6.0 * x3 * x5);
    const double z12 = -6.0 * (a1 * a6 + a3 * a5) + eqsq * (-24.0 * (x2 * x7 + x1 * x8) - 6.0 * (x3 * x6 + x4 * x5));
    const double z13 = -6.0 * a3 * a6 + eqsq * (-24.0 * x2 * x8 - 6.0 * x4 * x6);
    const double z21 = 6.0 * a2 * a5 + eqsq * (24.0 * x1 * x5 - 6.0 * x3 * x7);
    const double z22 = 6.0 * (a4 * a5 + a2 * a6) + eqsq * (24.0 * (x2 * x5 + x1 * x6) - 6.0 * (x4 * x7 + x3 * x8));
    const double z23 = 6.0 * a4 * a6 + eqsq * (24.0 * x2 * x6 - 6.0 * x4 * x8);
    z1 = z1 + z1 + x.bsq * z31;
    z2 = z2 + z2 + x.bsq * z32;
    z3 = z3 + z3 + x.bsq * z33;

    const double s3 = b.cc / xnq;
    const double s2 = -0.5 * s3 / x.rteosq;
    const double s4 = s3 * x.rteosq;
    const double s1 = -15.0 * eq * s4;
    const double s5 = x1 * x3 + x2 * x4;
    const double s6 = x2 * x3 + x1 * x4;
    const double s7 = x2 * x4 - x1 * x3;

    BodyRates r;
    r.se = s1 * b.zn * s5;
    r.si = s2 * b.zn * (z11 + z13);
    r.sl = -b.zn * s3 * (z1 + z3 - 14.0 - 6.0 * eqsq);
    r.sgh = s4 * b.zn * (z31 + z33 - 6.0);
    r.sh = inclination < kNoNodeRateInclination ? 0.0 : -b.zn * s2 * (z21 + z23);

    terms.e2 = 2.0 * s1 * s6;
    terms.e3 = 2.0 * s1 * s7;
    terms.i2 = 2.0 * s2 * z12;
    terms.i3 = 2.0 * s2 * (z13 - z11);
    terms.l2 = -2.0 * s3 * z2;
    terms.l3 = -2.0 * s3 * (z3 - z1);
    terms.l4 = -2.0 * s3 * (-21.0 - 9.0 * eqsq) * b.ze;
    terms.gh2 = 2.0 * s4 * z32;
    terms.gh3 = 2.0 * s4 * (z33 - z31);
    terms.gh4 = -18.0 * s4 * b.ze;
    terms.h2 = -2.0 * s2 * z22;
    terms.h3 = -2.0 * s2 * (z23 - z21);
    return r;
}

// The Moon's orbit on the epoch day (days since 1900 January 0.5).
void computeLunarOrbit(DeepSpaceState& d) {
    const double day = d.day;
    const double xnodce = 4.5236020 - 9.2422029e-4 * day;
    const double stem = std::sin(xnodce);
    const double ctem = std::cos(xnodce);
    d.zcosil = 0.91375164 - 0.03568096 * ctem;
    d.zsinil = std::sqrt(1.0 - d.zcosil * d.zcosil);
    d.zsinhl = 0.089683511 * stem / d.zsinil;
    d.zcoshl = std::sqrt(1.0 - d.zsinhl * d.zsinhl);
    const double c = 4.7199672 + 0.22997150 * day;
    const double gam = 5.8351514 + 0.0019443680 * day;
    d.zmol = NormalizeAngle(c - gam);
    double zx = 0.39785416 * stem / d.zsinil;
    const double zy = d.zcoshl * ctem + 0.91744867 * d.zsinhl * stem;
    zx = AngleFromSinCos(zx, zy);
    zx = gam + zx - xnodce;
    d.zcosgl = std::cos(zx);
    d.zsingl = std::sin(zx);
    d.zmos = NormalizeAngle(6.2565837 + 0.017201977 * day);
    d.lunarDay = day;
}

// The eccentricity functions and coefficients of the 12-hour resonance.
void initialiseHalfDayResonance(DeepSpaceState& d, const DeepSpaceExchange& x, double aqnv) {
    const double eq = d.eq;
    const double eqsq = x.eosq;
    const double eoc = eq * eqsq;
    const double g201 = -0.306 - (eq - 0.64) * 0.440;
    double g211, g310, g322, g410, g422, g520, g533, g521, g532;
    if (eq <= 0.65) {
        g211 = 3.616 - 13.247 * eq + 16.290 * eqsq;
        g310 = -19.302 + 117.390 * eq - 228.419 * eqsq + 156.591 * eoc;
        g322 = -18.9068 + 109.7927 * eq - 214.6334 * eqsq + 146.5816 * eoc;
        g410 = -41.122 + 242.694 * eq - 471.094 * eqsq + 313.953 * eoc;
        g422 = -146.407 + 841.880 * eq - 1629.014 * eqsq + 1083.435 * eoc;
        g520 = -532.114 + 3017.977 * eq - 5740.0 * eqsq + 3708.276 * eoc;
    } else {
        g211 = -72.099 + 331.819 * eq - 508.738 * eqsq + 266.724 * eoc;
        g310 = -346.844 + 1582.851 * eq - 2415.925 * eqsq + 1246.113 * eoc;
        g322 = -342.585 + 1554.908 * eq - 2366.899 * eqsq + 1215.972 * eoc;
        g410 = -1052.797 + 4758.686 * eq - 7193.992 * eqsq + 3651.957 * eoc;
        g422 = -3581.69 + 16178.11 * eq - 24462.77 * eqsq + 12422.52 * eoc;
        g520 = eq <= 0.715 ? 1464.74 - 4664.75 * eq + 3763.64 * eqsq
                           : -5149.66 + 29936.92 * eq - 54087.36 * eqsq + 31324.56 * eoc;
    }
    if (eq < 0.7) {
        g533 = -919.2277 + 4988.61 * eq - 9064.77 * eqsq + 5542.21 * eoc;
        g521 = -822.71072 + 4568.6173 * eq - 8491.4146 * eqsq + 5337.524 * eoc;
        g532 = -853.666 + 4690.25 * eq - 8624.77 * eqsq + 5341.4 * eoc;
    } else {
        g533 = -37995.78 + 161616.52 * eq - 229838.2 * eqsq + 109377.94 * eoc;
        g521 = -51752.104 + 218913.95 * eq - 309468.16 * eqsq + 146349.42 * eoc;
        g532 = -40023.88 + 170470.89 * eq - 242699.48 * eqsq + 115605.82 * eoc;
    }

    const double siniq = x.siniq;
    const double cosiq = x.cosiq;
    const double cosq2 = x.cosq2;
    const double sini2 = siniq * siniq;
    const double f220 = 0.75 * (1.0 + 2.0 * cosiq + cosq2);
    const double f221 = 1.5 * sini2;
    const double f321 = 1.875 * siniq * (1.0 - 2.0 * cosiq - 3.0 * cosq2);
    const double f322 = -1.875 * siniq * (1.0 + 2.0 * cosiq - 3.0 * cosq2);
    const double f441 = 35.0 * sini2 * f220;
    const double f442 = 39.3750 * sini2 * sini2;
    const double f522 = 9.84375 * siniq *
                        (sini2 * (1.0 - 2.0 * cosiq - 5.0 * cosq2) + 0.33333333 * (-2.0 + 4.0 * cosiq + 6.0 * cosq2));
    const double f523 = siniq * (4.92187512 * sini2 * (-2.0 - 4.0 * cosiq + 10.0 * cosq2) +
                                 6.56250012 * (1.0 + 2.0 * cosiq - 3.0 * cosq2));
    const double f542 = 29.53125 * siniq * (2.0 - 8.0 * cosiq + cosq2 * (-12.0 + 8.0 * cosiq + 10.0 * cosq2));
    const double f543 = 29.53125 * siniq * (-2.0 - 8.0 * cosiq + cosq2 * (12.0 + 8.0 * cosiq - 10.0 * cosq2));

    const double xno2 = d.xnq * d.xnq;
    const double ainv2 = aqnv * aqnv;
    double temp1 = 3.0 * xno2 * ainv2;
    double temp = temp1 * kRoot22;
    d.d2201 = temp * f220 * g201;
    d.d2211 = temp * f221 * g211;
    temp1 = temp1 * aqnv;
    temp = temp1 * kRoot32;
    d.d3210 = temp * f321 * g310;
    d.d3222 = temp * f322 * g322;
    temp1 = temp1 * aqnv;
    temp = 2.0 * temp1 * kRoot44;
    d.d4410 = temp * f441 * g410;
    d.d4422 = temp * f442 * g422;
    temp1 = temp1 * aqnv;
    temp = temp1 * kRoot52;
    d.d5220 = temp * f522 * g520;
    d.d5232 = temp * f523 * g532;
    temp = 2.0 * temp1 * kRoot54;
    d.d5421 = temp * f542 * g521;
    d.d5433 = temp * f543 * g533;
}

// The coefficients of the 24-hour (geosynchronous) resonance.
void initialiseSynchronousResonance(DeepSpaceState& d, const DeepSpaceExchange& x, double aqnv) {
    const double eqsq = x.eosq;
    const double g200 = 1.0 + eqsq * (-2.5 + 0.8125 * eqsq);
    const double g310 = 1.0 + 2.0 * eqsq;
    const double g300 = 1.0 + eqsq * (-6.0 + 6.60937 * eqsq);
    const double onePlusCos = 1.0 + x.cosiq;
    const double f220 = 0.75 * onePlusCos * onePlusCos;
    const double f311 = 0.9375 * x.siniq * x.siniq * (1.0 + 3.0 * x.cosiq) - 0.75 * onePlusCos;
    const double f330 = 1.875 * onePlusCos * onePlusCos * onePlusCos;
    const double del1 = 3.0 * d.xnq * d.xnq * aqnv * aqnv;
    d.del2 = 2.0 * del1 * f220 * g200 * kQ22;
    d.del3 = 3.0 * del1 * f330 * g300 * kQ33 * aqnv;
    d.del1 = del1 * f311 * g310 * kQ31 * aqnv;
}

void initialiseDeepSpace(PropagatorState& model, const ElementSet& set, const DeepSpaceExchange& x) {
    DeepSpaceState& d = model.deepSpace;
    ModelFlags& flags = model.flags;

    d.ds50 = JulianDateFromEpoch(set.epoch) - kJulianDate1950;
    d.day = d.ds50 + 18261.5;
    d.thgr = NormalizeAngle(1.72944494 + 6.3003880987 * d.ds50);
    d.eq = set.eccentricity;
    d.xnq = x.xnodp;
    d.xqncl = set.inclination;
    d.omegaq = set.argPerigee;
    const double aqnv = 1.0 / x.aodp;
    const double sinq = std::sin(set.raan);
    const double cosq = std::cos(set.raan);

    if (d.day != d.lunarDay) computeLunarOrbit(d);
    d.savtsn = 1.0e20;  // the first periodic call computes the terms

    // Near-equatorial orbits get no node rate from either body.
    const bool noNodeRate = set.inclination < kNoNodeRateInclination;

    flags.solarPassDone = 0;
    const PerturbingBody sun{kZcosgs, kZsings, kZcosis, kZsinis, cosq, sinq, kC1ss, kZns, kZes};
    const BodyRates solar = bodyCoefficients(sun, x, d.eq, d.xnq, set.inclination, d.solar);
    d.sse = solar.se;
    d.ssi = solar.si;
    d.ssl = solar.sl;
    d.ssh = noNodeRate ? 0.0 : solar.sh / x.siniq;
    d.ssg = solar.sgh - x.cosiq * d.ssh;
    flags.solarPassDone = 1;

    const PerturbingBody moon{d.zcosgl, d.zsingl, d.zcosil, d.zsinil,
                              d.zcoshl * cosq + d.zsinhl * sinq, sinq * d.zcoshl - cosq * d.zsinhl,
                              kC1l, kZnl, kZel};
    const BodyRates lunar = bodyCoefficients(moon, x, d.eq, d.xnq, set.inclination, d.lunar);
    d.sse += lunar.se;
    d.ssi += lunar.si;
    d.ssl += lunar.sl;
    d.ssg += noNodeRate ? lunar.sgh : lunar.sgh - x.cosiq / x.siniq * lunar.sh;
    d.ssh += noNodeRate ? 0.0 : lunar.sh / x.siniq;

    flags.resonant = 0;
    flags.synchronous = 0;
    flags.derivativesCurrent = 0;
    flags.integratorSteps = 0;
    double bfact = 0.0;
    if (d.xnq > kSynchronousLow && d.xnq < kSynchronousHigh) {
        flags.resonant = 1;
        flags.synchronous = 1;
        initialiseSynchronousResonance(d, x, aqnv);
        d.xlamo = set.meanAnomaly + set.raan + set.argPerigee - d.thgr;
        bfact = x.xlldot + (x.omgdt + x.xnodot) - kThdt;
        bfact = bfact + d.ssl + d.ssg + d.ssh;
    } else if (d.xnq >= kHalfDayLow && d.xnq <= kHalfDayHigh && d.eq >= 0.5) {
        flags.resonant = 1;
        initialiseHalfDayResonance(d, x, aqnv);
        d.xlamo = set.meanAnomaly + set.raan + set.raan - d.thgr - d.thgr;
        bfact = x.xlldot + x.xnodot + x.xnodot - kThdt - kThdt;
        bfact = bfact + d.ssl + d.ssh + d.ssh;
    } else {
        return;
    }
    d.xfact = bfact - d.xnq;
    d.xli = d.xlamo;
    d.xni = d.xnq;
    d.atime = 0.0;
}

// Rates of the resonant longitude and mean motion at the integrator's point.
void resonanceDerivatives(DeepSpaceState& d, ModelFlags& flags, double omgdt) {
    if (flags.derivativesCurrent) return;
    const double xli = d.xli;
    if (flags.synchronous) {
        d.xndot = d.del1 * std::sin(xli - kFasx2) + d.del2 * std::sin(2.0 * (xli - kFasx4)) +
                  d.del3 * std::sin(3.0 * (xli - kFasx6));
        d.xnddt = d.del1 * std::cos(xli - kFasx2) + 2.0 * d.del2 * std::cos(2.0 * (xli - kFasx4)) +
                  3.0 * d.del3 * std::cos(3.0 * (xli - kFasx6));
    } else {
        const double xomi = d.omegaq + omgdt * d.atime;
        const double x2omi = xomi + xomi;
        const double x2li = xli + xli;
        d.xndot = d.d2201 * std::sin(x2omi + xli - kG22) + d.d2211 * std::sin(xli - kG22) +
                  d.d3210 * std::sin(xomi + xli - kG32) + d.d3222 * std::sin(-xomi + xli - kG32) +
                  d.d4410 * std::sin(x2omi + x2li - kG44) + d.d4422 * std::sin(x2li - kG44) +
                  d.d5220 * std::sin(xomi + xli - kG52) + d.d5232 * std::sin(-xomi + xli - kG52) +
                  d.d5421 * std::sin(xomi + x2li - kG54) + d.d5433 * std::sin(-xomi + x2li - kG54);
        d.xnddt = d.d2201 * std::cos(x2omi + xli - kG22) + d.d2211 * std::cos(xli - kG22) +
                  d.d3210 * std::cos(xomi + xli - kG32) + d.d3222 * std::cos(-xomi + xli - kG32) +
                  d.d5220 * std::cos(xomi + xli - kG52) + d.d5232 * std::cos(-xomi + xli - kG52) +
                  2.0 * (d.d4410 * std::cos(x2omi + x2li - kG44) + d.d4422 * std::cos(x2li - kG44) +
                         d.d5421 * std::cos(xomi + x2li - kG54) + d.d5433 * std::cos(-xomi + x2li - kG54));
    }
    d.xldot = d.xni + d.xfact;
    d.xnddt = d.xnddt * d.xldot;
    flags.derivativesCurrent = 1;
}

void restartIntegrator(DeepSpaceState& d, ModelFlags& flags) {
    d.atime = 0.0;
    d.xni = d.xnq;
    d.xli = d.xlamo;
    flags.derivativesCurrent = 0;
}

void stepIntegrator(DeepSpaceState& d, ModelFlags& flags, double omgdt, double delt) {
    resonanceDerivatives(d, flags, omgdt);
    d.xli = d.xli + d.xldot * delt + d.xndot * kStepSquaredHalf;
    d.xni = d.xni + d.xndot * delt + d.xnddt * kStepSquaredHalf;
    d.atime = d.atime + delt;
    flags.derivativesCurrent = 0;
    ++flags.integratorSteps;
}

// Integrates the resonant mean motion and longitude to `exchange.t`, going on
// from the integrator's last point where that lies on the same side of the
// epoch.
void integrateResonance(PropagatorState& model, DeepSpaceExchange& x) {
    DeepSpaceState& d = model.deepSpace;
    ModelFlags& flags = model.flags;
    const double t = x.t;
    flags.integratorSteps = 0;
    if (!std::isfinite(t)) {  // no time to step toward; the stepping would not end
        x.xn = x.xll = std::numeric_limits<double>::quiet_NaN();
        return;
    }

    // Back toward the epoch while the time lies nearer to it than the
    // integrator; at the epoch or across it, start again from the epoch.
    for (;;) {
        const bool oppositeSides = (t >= 0.0 && d.atime < 0.0) || (t < 0.0 && d.atime >= 0.0);
        if (d.atime == 0.0 || oppositeSides) {
            restartIntegrator(d, flags);
            break;
        }
        if (std::fabs(t) >= std::fabs(d.atime)) break;
        stepIntegrator(d, flags, x.omgdt, t >= 0.0 ? kStepNegative : kStepPositive);
    }
    const double delt = t >= 0.0 ? kStepPositive : kStepNegative;
    while (std::fabs(t - d.atime) >= kStepPositive) stepIntegrator(d, flags, x.omgdt, delt);

    resonanceDerivatives(d, flags, x.omgdt);
    const double ft = t - d.atime;
    x.xn = d.xni + d.xndot * ft + d.xnddt * ft * ft * 0.5;
    const double xl = d.xli + d.xldot * ft + d.xndot * ft * ft * 0.5;
    const double temp = -x.xnodes + d.thgr + t * kThdt;
    x.xll = flags.synchronous ? xl - x.omgasm + temp : xl + temp + temp;
}

void secularTerms(PropagatorState& model, const ElementSet& set, DeepSpaceExchange& x) {
    const DeepSpaceState& d = model.deepSpace;
    const double t = x.t;
    x.xll = x.xll + d.ssl * t;
    x.omgasm = x.omgasm + d.ssg * t;
    x.xnodes = x.xnodes + d.ssh * t;
    x.em = set.eccentricity + d.sse * t;
    x.xinc = set.inclination + d.ssi * t;
    if (x.xinc < 0.0) {
        x.xinc = -x.xinc;
        x.xnodes = x.xnodes + kPi;
        x.omgasm = x.omgasm - kPi;
    }
    if (model.flags.resonant) integrateResonance(model, x);
}

// The periodic terms of one body at time t.
BodyRates bodyPeriodics(const LunarSolarTerms& c, double zm, double ze) {
    const double zf = zm + 2.0 * ze * std::sin(zm);
    const double sinzf = std::sin(zf);
    const double f2 = 0.5 * sinzf * sinzf - 0.25;
    const double f3 = -0.5 * sinzf * std::cos(zf);
    BodyRates p;
    p.se = c.e2 * f2 + c.e3 * f3;
    p.si = c.i2 * f2 + c.i3 * f3;
    p.sl = c.l2 * f2 + c.l3 * f3 + c.l4 * sinzf;
    p.sgh = c.gh2 * f2 + c.gh3 * f3 + c.gh4 * sinzf;
    p.sh = c.h2 * f2 + c.h3 * f3;
    return p;
}

void periodicTerms(DeepSpaceState& d, DeepSpaceExchange& x) {
    const double t = x.t;
    const double xinc = x.xinc;  // before the periodics: the Lyddane form starts from it
    if (std::fabs(d.savtsn - t) >= kPeriodicReuseMinutes) {
        d.savtsn = t;
        const BodyRates s = bodyPeriodics(d.solar, d.zmos + kZns * t, kZes);
        const BodyRates l = bodyPeriodics(d.lunar, d.zmol + kZnl * t, kZel);
        d.pe = s.se + l.se;
        d.pinc = s.si + l.si;
        d.pl = s.sl + l.sl;
        d.pgh = s.sgh + l.sgh;
        d.ph = s.sh + l.sh;
    }
    x.xinc = x.xinc + d.pinc;
    x.em = x.em + d.pe;

    if (d.xqncl >= kLowInclination) {
        const double ph = d.ph / x.siniq;
        const double pgh = d.pgh - x.cosiq * ph;
        x.omgasm = x.omgasm + pgh;
        x.xnodes = x.xnodes + ph;
        x.xll = x.xll + d.pl;
        return;
    }

    // Lyddane's form, which stays regular at small inclinations.
    const double sinis = std::sin(xinc);
    const double cosis = std::cos(xinc);
    const double node = NormalizeAngle(x.xnodes);
    const double sinok = std::sin(node);
    const double cosok = std::cos(node);
    const double alfdp = sinis * sinok + (d.ph * cosok + d.pinc * cosis * sinok);
    const double betdp = sinis * cosok + (-d.ph * sinok + d.pinc * cosis * cosok);
    const double xls = x.xll + x.omgasm + cosis * node + (d.pl + d.pgh - d.pinc * node * sinis);
    double newNode = AngleFromSinCos(alfdp, betdp);
    if (std::fabs(node - newNode) > kPi) newNode += newNode < node ? kTwoPi : -kTwoPi;
    x.xnodes = newNode;
    x.xll = x.xll + d.pl;
    x.omgasm = xls - x.xll - std::cos(x.xinc) * newNode;
}

}  // namespace

void fillEpochExchange(DeepSpaceExchange& x, const ElementSet& set, const RecoveredElements& r, double xlldot,
                       double omgdt, double xnodot) {
    x.eosq = r.eosq;
    x.siniq = std::sin(set.inclination);
    x.cosiq = r.cosio;
    x.rteosq = r.betao;
    x.aodp = r.aodp;
    x.cosq2 = r.theta2;
    x.sinomo = std::sin(set.argPerigee);
    x.cosomo = std::cos(set.argPerigee);
    x.bsq = r.betao2;
    x.xlldot = xlldot;
    x.omgdt = omgdt;
    x.xnodot = xnodot;
    x.xnodp = r.xnodp;
}

void deepSpaceTerms(PropagatorState& model, int entry, const ElementSet& set, DeepSpaceExchange& exchange) {
    switch (entry) {
        case kDeepSpaceInitialise: initialiseDeepSpace(model, set, exchange); break;
        case kDeepSpaceSecular: secularTerms(model, set, exchange); break;
        case kDeepSpacePeriodic: periodicTerms(model.deepSpace, exchange); break;
        default: break;
    }
}

}  // namespace vantrek
