#pragma once

// Synthetic satellites, places and elevations for the observation tests.
#include <cmath>
#include <cstdio>

#include "astro/constants.hpp"
#include "astro/julian_date.hpp"
#include "astro/look_angles.hpp"
#include "astro/observer.hpp"
#include "orbit/catalog_loading.hpp"
#include "orbit/element_set.hpp"
#include "orbit/propagation.hpp"
#include "orbit/propagator_state.hpp"
#include "../support/catalog_builder.hpp"

namespace vantrek::testing {

// 2024-06-20 0h UTC: short nights at 54 degrees north, low orbits sunlit all night.
constexpr double kEpoch = 24172.0;
constexpr double kSecond = 1.0 / 86400.0;  // days
constexpr double kAu = 149597870.691;      // km

// A near-circular orbit at a height (km) above the equatorial radius.
inline ElementSet orbitAt(int32_t number, double heightKm, double inclinationDeg, double raanDeg,
                          double meanAnomalyDeg, double eccentricity = 0.0005) {
    ElementSet set;
    set.epoch = kEpoch;
    set.inclination = inclinationDeg * kDegree;
    set.raan = raanDeg * kDegree;
    set.eccentricity = eccentricity;
    set.argPerigee = 90.0 * kDegree;
    set.meanAnomaly = meanAnomalyDeg * kDegree;
    const double a = 6378.135 + heightKm;
    set.meanMotion = std::sqrt(398600.8 / (a * a * a)) * 60.0;  // rad/min
    set.catalogNumber = number;
    std::snprintf(set.name, sizeof set.name, "TEST %-19d", number);
    return set;
}

inline Observer observerAt(double latitudeDeg, double longitudeDeg) {
    return {latitudeDeg * kDegree, longitudeDeg * kDegree, 0.03};
}

// Elevation (rad, no refraction) of entry `index` at `t`, as the visibility test works it out.
inline double elevationAt(PropagatorState& model, const SatelliteCatalog& catalog, int index,
                          Observer& observer, double t, ElementSet& working) {
    Vector4 position, velocity;
    propagateSatellite(model, catalog, t, working, index, velocity, position, 0, 0);
    LookAngles look;
    ComputeLookAngles(t, position, velocity, observer, look, 0, 0);
    return look.elevation;
}

}  // namespace vantrek::testing
