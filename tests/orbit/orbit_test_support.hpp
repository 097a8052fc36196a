#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>

#include "astro/constants.hpp"
#include "astro/julian_date.hpp"
#include "orbit/element_set.hpp"
#include "orbit/propagation.hpp"
#include "../support/catalog_builder.hpp"

namespace vantrek::testing_support {

// An element set in model units; angles in degrees, mean motion in rev/day.
inline ElementSet makeElementSet(double epoch, double inclinationDeg, double raanDeg, double eccentricity,
                                 double argPerigeeDeg, double meanAnomalyDeg, double revPerDay,
                                 double bstar = 0.0) {
    ElementSet set;
    set.epoch = epoch;
    set.inclination = inclinationDeg * kDegree;
    set.raan = raanDeg * kDegree;
    set.eccentricity = eccentricity;
    set.argPerigee = argPerigeeDeg * kDegree;
    set.meanAnomaly = meanAnomalyDeg * kDegree;
    set.meanMotion = revPerDay * kRevPerDayToRadPerMin;
    set.bstar = bstar;
    set.catalogNumber = 99999;
    return set;
}

// The report's test sets: near-Earth (its drag term may be changed) and deep space.
inline ElementSet reportNearEarthSet(double bstar = 6.6816e-5) {
    return makeElementSet(80275.98708465, 72.8435, 115.9689, 0.0086731, 52.6988, 110.5714, 16.05824518, bstar);
}
inline ElementSet reportDeepSpaceSet() {
    return makeElementSet(80230.29629788, 46.7916, 230.4354, 0.7318036, 47.4722, 10.4117, 2.28537848, 0.014311);
}

// A 12-hour resonant orbit (e = 0.71) and a geosynchronous one.
inline ElementSet molniyaSet() { return makeElementSet(26340.5, 63.4, 250.0, 0.71, 270.0, 10.0, 2.006); }
inline ElementSet geostationarySet(double inclinationDeg = 0.05) {
    return makeElementSet(26340.5, inclinationDeg, 90.0, 0.00003, 0.0, 10.0, 1.0027);
}

// A catalogue holding the given sets (on the heap: it is large).
inline std::unique_ptr<SatelliteCatalog> catalogOf(std::initializer_list<ElementSet> sets) {
    auto catalog = std::make_unique<SatelliteCatalog>();
    for (const ElementSet& set : sets) vantrek::testing::AddToCatalog(*catalog, set);
    return catalog;
}

struct PropagatedState {
    Vector4 position;  // km
    Vector4 velocity;  // km/s
};

// Propagates through the front end to `minutes` after the epoch of catalogue
// entry `epochOf` (by default the entry propagated).
inline PropagatedState propagateAt(PropagatorState& model, const SatelliteCatalog& catalog, ElementSet& working,
                                   int index, double minutes, uint8_t initialised, int32_t engine = 0,
                                   int epochOf = -1) {
    PropagatedState s;
    const double epoch = JulianDateFromEpoch(catalog.entries[epochOf < 0 ? index : epochOf].epoch);
    propagateSatellite(model, catalog, epoch + minutes / 1440.0, working, index, s.velocity, s.position,
                       initialised, engine);
    return s;
}

}  // namespace vantrek::testing_support
