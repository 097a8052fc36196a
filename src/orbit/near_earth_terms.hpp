#pragma once

#include "astro/vector4.hpp"
#include "orbit/element_set.hpp"
#include "orbit/kepler_solution.hpp"
#include "orbit/model_selection.hpp"
#include "orbit/propagator_state.hpp"

namespace vantrek {

// The atmosphere's parameters for a perigee height: the standard s and
// (q0 - s)^4 from 156 km up; below, s* = perigee - 78 km, but 20 km for a
// perigee of 98 km or lower.
struct DragAtmosphere {
    double s4 = 0.0;      // Earth radii from the centre
    double qoms24 = 0.0;  // Earth radii^4
};

DragAtmosphere atmosphereForPerigee(double perigeeKm);

// What the SGP4 and SDP4 initialisations have in common: the recovered
// elements, the atmosphere, the drag coefficients and the secular rates.
struct NearEarthInitialisation {
    RecoveredElements recovered;
    DragAtmosphere atmosphere;
    double tsi = 0.0;   // 1 / (a0 - s)
    double eta = 0.0;
    double etasq = 0.0;
    double eeta = 0.0;  // e eta
    double coef = 0.0;  // qoms24 tsi^4
    double coef1 = 0.0;
    double c2 = 0.0;
    NearEarthSecular secular;
    NearEarthPeriodics periodics;
};

NearEarthInitialisation initialiseNearEarth(const ElementSet& set);

// Mean elements at the propagation time, after the secular (and deep-space) terms.
struct MeanElements {
    double a = 0.0;      // semi-major axis, Earth radii
    double e = 0.0;
    double omega = 0.0;  // argument of perigee, rad
    double xl = 0.0;     // mean longitude, rad
    double xnode = 0.0;  // node, rad
    double sinInc = 0.0;  // sine and cosine of the inclination
    double cosInc = 0.0;
};

// Long-period periodics, Kepler's equation, short-period periodics and the
// orientation vectors: position in Earth radii and velocity in Earth radii
// per minute (x, y, z; w untouched).
void positionFromMeanElements(const NearEarthPeriodics& periodics, const MeanElements& mean,
                              KeplerFallback fallback, Vector4& position, Vector4& velocity);

}  // namespace vantrek
