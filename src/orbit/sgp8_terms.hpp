#pragma once

#include "orbit/element_set.hpp"
#include "orbit/model_selection.hpp"
#include "orbit/propagator_state.hpp"

namespace vantrek {

// Atmospheric density parameter of the SGP8 family: the drag coefficient
// is B = 2 B* / rho.
constexpr double kSgp8Rho = 0.15696615;

// What the drag rates of the SGP8 family depend on. Along a decaying orbit
// the mean motion, the axis, the eccentricity and the perigee move; the
// inclination and the drag term stay.
struct DragElements {
    double xnodp = 0.0;       // original mean motion, rad/min
    double aodp = 0.0;        // original semi-major axis, Earth radii
    double e = 0.0;
    double argPerigee = 0.0;  // rad
    double cosi = 0.0;        // cosine and sine of the inclination
    double sini = 0.0;
    double bstar = 0.0;       // inverse Earth radii
    double xgdt1 = 0.0;       // first-order J2 rate of the perigee, rad/min
};

// The drag quantities of those elements that the rates and their
// derivatives are built from, and the rate of the mean motion itself.
struct DragTerms {
    DragElements elements;
    double eosq = 0.0;    // e^2
    double betao2 = 0.0;  // 1 - e^2
    double alpha2 = 0.0;  // 1 + e^2
    double tsi = 0.0;     // 1 / (p - s)
    double eta = 0.0;     // e s tsi
    double eta2 = 0.0;
    double eeta = 0.0;    // e eta
    double psim2 = 0.0;   // |1 / (1 - eta^2)|
    double cosg = 0.0;    // cos w, sin w, cos 2w, sin 2w
    double sing = 0.0;
    double cos2g = 0.0;
    double sin2g = 0.0;
    double b1 = 0.0;      // gravity factors: J2 (two) and J3
    double b2 = 0.0;
    double b3 = 0.0;
    double c0 = 0.0;      // drag scale, 1/min
    double c1 = 0.0;      // rad/min^2
    double c4 = 0.0;
    double c5 = 0.0;
    double d1 = 0.0;
    double d2 = 0.0;
    double d3 = 0.0;
    double d4 = 0.0;
    double d5 = 0.0;
    double xndt = 0.0;    // rate of the mean motion, rad/min^2
};

DragTerms dragTerms(const DragElements& elements);

// Eccentricity rate of the simplified drag: the orbit shrinks at constant
// perigee height.
double simplifiedEccentricityRate(double xndt, double xnodp, double e);

// What the SGP8 and SDP8 initialisations have in common.
struct Sgp8Initialisation {
    RecoveredElements recovered;
    Sgp8Secular secular;  // edot not yet set: it depends on the drag branch
    Sgp8Periodics periodics;
    DragTerms drag;
};

Sgp8Initialisation initialiseSgp8Terms(const ElementSet& set);

}  // namespace vantrek
