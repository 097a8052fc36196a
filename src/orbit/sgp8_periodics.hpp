#pragma once

#include "astro/vector4.hpp"
#include "orbit/propagator_state.hpp"

namespace vantrek {

// Mean elements of the SGP8 family at the propagation time, after the
// secular, drag (and deep-space) terms.
struct Sgp8MeanElements {
    double xn = 0.0;      // mean motion, rad/min
    double em = 0.0;      // eccentricity
    double xmam = 0.0;    // mean anomaly in [0, 2 pi), rad
    double omgasm = 0.0;  // argument of perigee, rad
    double xnodes = 0.0;  // node, rad
    double sinHalfInclination = 0.0;  // of the inclination the orientation starts from
};

// Kepler's equation in the eccentric anomaly (tolerance in rad), the
// short-period periodics and the orientation vectors: position in Earth radii
// and velocity in Earth radii per minute (x, y, z; w untouched).
void positionFromSgp8Elements(const Sgp8Periodics& periodics, const Sgp8MeanElements& mean,
                              double keplerTolerance, Vector4& position, Vector4& velocity);

}  // namespace vantrek
