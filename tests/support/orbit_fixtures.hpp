#pragma once

// Element sets, catalogues and files for the orbit, astro and hostile-input
// suites (header only: this folder builds no test executable of its own).
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <memory>
#include <string>

#include "astro/constants.hpp"
#include "astro/julian_date.hpp"
#include "orbit/catalog_loading.hpp"
#include "orbit/element_set.hpp"
#include "orbit/propagation.hpp"
#include "catalog_builder.hpp"
#include "sample_sets.hpp"

namespace vantrek::testing {

// The ISS set of 2008-09-20 as published.
inline const std::string kIssLine1 = "1 25544U 98067A   08264.51782528 -.00002182  00000-0 -11606-4 0  2927";
inline const std::string kIssLine2 = "2 25544  51.6416 247.4627 0006703 130.5360 325.0288 15.72125391563537";

// `line` with the columns first..first+text-1 (numbered from 1) replaced.
inline std::string withColumns(std::string line, int first, const std::string& text) {
    return line.replace(static_cast<std::size_t>(first - 1), text.size(), text);
}

// The ISS set numbered `number` (0..99999) under a 24-column name, or `name`.
inline std::string issSetText(int number, const std::string& eol = "\n", std::string name = "") {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%05d", number);
    if (name.empty()) name = ("SAT " + std::string(digits) + std::string(24, ' ')).substr(0, 24);
    return name + eol + withColumns(kIssLine1, 3, digits) + eol + withColumns(kIssLine2, 3, digits) + eol;
}

// A catalogue (on the heap: it is large) loaded from a buffer in any form.
inline std::unique_ptr<SatelliteCatalog> loaded(const std::string& text, ElementSetLoad* report = nullptr) {
    auto catalog = std::make_unique<SatelliteCatalog>();
    const ElementSetLoad load = loadElementSetBuffer(*catalog, text.data(), static_cast<long>(text.size()));
    if (report != nullptr) *report = load;
    return catalog;
}

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

inline std::unique_ptr<SatelliteCatalog> catalogOf(std::initializer_list<ElementSet> sets) {
    auto catalog = std::make_unique<SatelliteCatalog>();
    for (const ElementSet& set : sets) AddToCatalog(*catalog, set);
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

}  // namespace vantrek::testing
