#pragma once

#include <cstdint>

namespace vantrek {

// The six integer flags of the orbit models, held together so that the
// propagation front end clears them with one assignment before every
// initialisation.
struct ModelFlags {
    int32_t simplifiedDrag = 0;      // near-Earth: perigee below 220 km, drag kept to low order
    int32_t resonant = 0;            // deep space: 12- or 24-hour resonance is integrated
    int32_t synchronous = 0;         // deep space: the resonance is the 24-hour one
    int32_t derivativesCurrent = 0;  // integrator: the held rates belong to its current point
    int32_t integratorSteps = 0;     // integrator: 720-minute steps taken by the last secular call
    int32_t solarPassDone = 0;       // deep-space initialisation: the Sun's coefficients are done
};

// Epoch constants of the long- and short-period terms shared by SGP4 and SDP4.
struct NearEarthPeriodics {
    double cosio = 0.0;   // cosine and sine of the epoch inclination
    double sinio = 0.0;
    double x3thm1 = 0.0;  // 3 cos^2 i - 1
    double x1mth2 = 0.0;  // 1 - cos^2 i
    double x7thm1 = 0.0;  // 7 cos^2 i - 1
    double xlcof = 0.0;   // long-period coefficients of the mean longitude and of e sin w
    double aycof = 0.0;
};

// Secular gravity and first-order drag constants shared by SGP4 and SDP4.
struct NearEarthSecular {
    double aodp = 0.0;    // original semi-major axis, Earth radii
    double xnodp = 0.0;   // original mean motion, rad/min
    double c1 = 0.0;      // drag coefficients
    double c4 = 0.0;
    double xmdot = 0.0;   // secular rates of mean anomaly, perigee and node, rad/min
    double omgdot = 0.0;
    double xnodot = 0.0;
    double xnodcf = 0.0;  // drag term of the node, rad/min^2
    double t2cof = 0.0;   // drag term of the mean longitude
};

// One satellite's SGP4 constants.
struct Sgp4Constants {
    NearEarthSecular secular;
    NearEarthPeriodics periodics;
    double eta = 0.0;
    double c5 = 0.0;
    double omgcof = 0.0;
    double xmcof = 0.0;
    double delmo = 0.0;   // (1 + eta cos M0)^3
    double sinmo = 0.0;   // sin M0
    double d2 = 0.0;      // higher-order drag, only without simplified drag
    double d3 = 0.0;
    double d4 = 0.0;
    double t3cof = 0.0;
    double t4cof = 0.0;
    double t5cof = 0.0;
};

// One satellite's SDP4 constants (the near-Earth part; the Sun, the Moon and
// the resonances are in the deep-space module's state).
struct Sdp4Constants {
    NearEarthSecular secular;
    NearEarthPeriodics periodics;
    double axisOfXnodp = 0.0;  // (XKE / xnodp)^(2/3), Earth radii: the axis before drag while
                              // no resonance changes the mean motion
};

// Epoch constants of the short-period terms shared by SGP8 and SDP8.
struct Sgp8Periodics {
    double cosi = 0.0;    // cosine and sine of the epoch inclination
    double sini = 0.0;
    double theta2 = 0.0;  // cos^2 i
    double x3thm1 = 0.0;  // 3 cos^2 i - 1
    double x1mth2 = 0.0;  // 1 - cos^2 i
    double x1m5th = 0.0;  // 1 - 5 cos^2 i
    double sinio2 = 0.0;  // sine and cosine of half the epoch inclination
    double cosio2 = 0.0;
};

// Secular gravity and first-order drag shared by SGP8 and SDP8.
struct Sgp8Secular {
    double xnodp = 0.0;   // original mean motion, rad/min
    double xlldot = 0.0;  // secular rates of mean anomaly, perigee and node, rad/min
    double omgdt = 0.0;
    double xnodot = 0.0;
    double xmdt1 = 0.0;   // their first-order J2 parts, scaled by the drag
    double xgdt1 = 0.0;
    double xhdt1 = 0.0;
    double xndt = 0.0;    // drag rate of the mean motion, rad/min^2
    double edot = 0.0;    // drag rate of the eccentricity, 1/min
};

// The full drag of SGP8: mean motion and eccentricity follow power laws in
// f = 1 - gamma t that match their first and second (mean motion: also
// third) derivatives at epoch.
struct PowerLawDrag {
    double gamma = 0.0;  // 1/min; f reaches 0 at the model's decay time 1/gamma
    double pp = 0.0;     // exponent of the mean motion's law
    double qq = 0.0;     // exponent of the eccentricity's law
    double xnd = 0.0;    // scale of the mean motion's law, rad/min
    double ed = 0.0;     // scale of the eccentricity's law
    double ovgpp = 0.0;  // 1 / (gamma (pp + 1)), min
};

// One satellite's SGP8 constants.
struct Sgp8Constants {
    Sgp8Secular secular;
    Sgp8Periodics periodics;
    PowerLawDrag drag;  // only without simplified drag
};

// One satellite's SDP8 constants (drag is always simplified; the Sun, the Moon
// and the resonances are in the deep-space module's state).
struct Sdp8Constants {
    Sgp8Secular secular;
    Sgp8Periodics periodics;
};

// The values a deep-space model and the deep-space module exchange. The
// caller fills the first thirteen before initialising the module; the
// secular and periodic entries update the propagation quantities in place.
struct DeepSpaceExchange {
    double eosq = 0.0;    // e^2
    double siniq = 0.0;   // sin i
    double cosiq = 0.0;   // cos i
    double rteosq = 0.0;  // sqrt(1 - e^2)
    double aodp = 0.0;    // original semi-major axis, Earth radii
    double cosq2 = 0.0;   // cos^2 i
    double sinomo = 0.0;  // sin and cos of the epoch argument of perigee
    double cosomo = 0.0;
    double bsq = 0.0;     // 1 - e^2
    double xlldot = 0.0;  // secular rates of mean anomaly, perigee and node, rad/min
    double omgdt = 0.0;
    double xnodot = 0.0;
    double xnodp = 0.0;   // original mean motion, rad/min
    double xll = 0.0;     // mean anomaly, rad
    double omgasm = 0.0;  // argument of perigee, rad
    double xnodes = 0.0;  // node, rad
    double em = 0.0;      // eccentricity
    double xinc = 0.0;    // inclination, rad
    double xn = 0.0;      // mean motion, rad/min
    double t = 0.0;       // minutes since epoch
};

// Periodic coefficients of one perturbing body (the Sun or the Moon).
struct LunarSolarTerms {
    double e2 = 0.0, e3 = 0.0;
    double i2 = 0.0, i3 = 0.0;
    double l2 = 0.0, l3 = 0.0, l4 = 0.0;
    double gh2 = 0.0, gh3 = 0.0, gh4 = 0.0;
    double h2 = 0.0, h3 = 0.0;
};

// State of the deep-space module for the satellite that initialised it last.
struct DeepSpaceState {
    double ds50 = 0.0;    // epoch, days since 1950 January 0.0
    double day = 0.0;     // epoch, days since 1900 January 0.5
    double thgr = 0.0;    // Greenwich sidereal angle at epoch, rad

    // Epoch elements kept at initialisation.
    double eq = 0.0;
    double xqncl = 0.0;
    double omegaq = 0.0;
    double xnq = 0.0;

    // The Moon's orbit at the day `lunarDay`; kept across initialisations
    // while the day stays the same.
    double lunarDay = 0.0;
    double zcosil = 0.0, zsinil = 0.0;
    double zsinhl = 0.0, zcoshl = 0.0;
    double zcosgl = 0.0, zsingl = 0.0;
    double zmol = 0.0;    // mean anomalies of the Moon and the Sun at epoch, rad
    double zmos = 0.0;

    LunarSolarTerms solar;
    LunarSolarTerms lunar;
    double sse = 0.0, ssi = 0.0, ssl = 0.0, ssg = 0.0, ssh = 0.0;  // secular rates

    // Resonance coefficients: 24-hour (del1..del3), 12-hour (d2201..d5433).
    double del1 = 0.0, del2 = 0.0, del3 = 0.0;
    double d2201 = 0.0, d2211 = 0.0, d3210 = 0.0, d3222 = 0.0, d4410 = 0.0;
    double d4422 = 0.0, d5220 = 0.0, d5232 = 0.0, d5421 = 0.0, d5433 = 0.0;
    double xlamo = 0.0;
    double xfact = 0.0;

    // Resonance integrator: its time (minutes since epoch), longitude and mean
    // motion, and the rates at that point (valid while flags.derivativesCurrent).
    double atime = 0.0;
    double xli = 0.0;
    double xni = 0.0;
    double xldot = 0.0;
    double xndot = 0.0;
    double xnddt = 0.0;

    // Lunar-solar periodics of the time `savtsn`.
    double savtsn = 0.0;
    double pe = 0.0, pinc = 0.0, pl = 0.0, pgh = 0.0, ph = 0.0;
};

// The orbit models' memory: one satellite's initialised constants for each
// model, the deep-space module and its exchange record, and the model flags.
// A default-constructed record is a fresh world.
struct PropagatorState {
    ModelFlags flags;
    double epochJulianDate = 0.0;  // of the element set initialised last (front end)
    Sgp4Constants sgp4;
    Sdp4Constants sdp4;
    Sgp8Constants sgp8;
    Sdp8Constants sdp8;
    DeepSpaceExchange exchange;
    DeepSpaceState deepSpace;
};

}  // namespace vantrek
