#pragma once

#include <cstdint>

#include "astro/look_angles.hpp"
#include "astro/observer.hpp"
#include "astro/vector4.hpp"
#include "orbit/element_set.hpp"
#include "orbit/propagator_state.hpp"

namespace vantrek {

// Everything the brightness estimate works out on the way, for the views.
struct MagnitudeEstimate {
    Vector4 position;          // satellite, km, inertial
    Vector4 velocity;          // km/s
    LookAngles look;           // from the observer, refraction off
    Vector4 observerPosition;  // km, inertial
    double illumination = 0.0;  // percent of the disc lit as seen by the observer
    double phaseAngle = 0.0;    // degrees, Sun-satellite-observer
    int32_t eclipsed = 0;       // 1 in the Earth's shadow
    double depth = 0.0;         // rad inside the shadow edge (see IsEclipsed)
};

// Visual magnitude of a sunlit satellite: its standard magnitude (at 1000 km
// and half illuminated) scaled by the square of the range and the lit
// fraction (1 + cos phase) / 2; 100 when that exceeds 80 or is no number.
// Writes the lit percentage and the phase angle in degrees.
double SunlitMagnitude(int32_t catalogNumber, const Vector4& satellite, const Vector4& sun,
                       const Vector4& observerPosition, double& illumination, double& phaseAngle);

// Loads catalogue entry `index` into `working`, propagates it to `jd` with the
// engine (1 = SGP8/SDP8) and estimates its visual magnitude as seen by the
// observer; 100 when it is eclipsed, too faint to estimate or cannot be
// propagated. Fills `out` as far as it got.
double EstimateMagnitude(PropagatorState& model, const SatelliteCatalog& catalog, double jd,
                         int index, ElementSet& working, Observer& observer, int32_t engine,
                         MagnitudeEstimate& out);

}  // namespace vantrek
