#pragma once

#include "orbit/element_set.hpp"

namespace vantrek {

// The original (Brouwer) mean motion and semi-major axis recovered from an
// element set's Kozai mean motion, with the inclination and eccentricity
// functions every model needs.
struct RecoveredElements {
    double cosio = 0.0;   // cos i
    double theta2 = 0.0;  // cos^2 i
    double x3thm1 = 0.0;  // 3 cos^2 i - 1
    double eosq = 0.0;    // e^2
    double betao2 = 0.0;  // 1 - e^2
    double betao = 0.0;   // sqrt(1 - e^2)
    double xnodp = 0.0;   // original mean motion, rad/min
    double aodp = 0.0;    // original semi-major axis, Earth radii
};

RecoveredElements recoverOriginalElements(const ElementSet& set);

// Orbits of 225 minutes or more are propagated with the deep-space models.
constexpr double kDeepSpacePeriodMinutes = 225.0;

// Stores the period (minutes) in `set.period`; returns 1 for the deep-space
// model, 0 for the near-Earth model.
int selectModel(ElementSet& set);

}  // namespace vantrek
