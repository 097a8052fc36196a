#pragma once

#include <initializer_list>
#include <memory>

#include "astro/constants.hpp"
#include "orbit/element_set.hpp"

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

// A 12-hour resonant orbit (e = 0.71) and a geosynchronous one.
inline ElementSet molniyaSet() { return makeElementSet(26340.5, 63.4, 250.0, 0.71, 270.0, 10.0, 2.006); }
inline ElementSet geostationarySet(double inclinationDeg = 0.05) {
    return makeElementSet(26340.5, inclinationDeg, 90.0, 0.00003, 0.0, 10.0, 1.0027);
}

// A catalogue holding the given sets (on the heap: it is large).
inline std::unique_ptr<SatelliteCatalog> catalogOf(std::initializer_list<ElementSet> sets) {
    auto catalog = std::make_unique<SatelliteCatalog>();
    for (const ElementSet& set : sets) {
        catalog->selected[catalog->count] = 1;
        catalog->entries[catalog->count++] = set;
    }
    return catalog;
}

}  // namespace vantrek::testing_support
