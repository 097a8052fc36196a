#pragma once

// A catalogue of made-up element sets like a real one, for the
// benchmarks and the frame-cost checks (header only: this folder builds no
// test executable of its own).
#include <cmath>
#include <cstdio>
#include <memory>

#include "astro/constants.hpp"
#include "orbit/catalog_loading.hpp"
#include "orbit/element_set.hpp"

namespace vantrek::testing {

constexpr double kSyntheticEpoch = 24172.0;  // 2024-06-20 0h UTC

inline ElementSet SyntheticSet(int k, double heightKm, double inclinationDeg, double eccentricity) {
    ElementSet set;
    set.epoch = kSyntheticEpoch;
    set.bstar = 1e-5;
    set.inclination = inclinationDeg * kDegree;
    set.raan = std::fmod(k * 37.3, 360.0) * kDegree;
    set.eccentricity = eccentricity;
    set.argPerigee = std::fmod(k * 53.1, 360.0) * kDegree;
    set.meanAnomaly = std::fmod(k * 101.7, 360.0) * kDegree;
    const double a = (6378.135 + heightKm) / (1.0 - eccentricity);
    set.meanMotion = std::sqrt(398600.8 / (a * a * a)) * 60.0;
    set.catalogNumber = 50000 + k;
    std::snprintf(set.name, sizeof set.name, "SYNTH %-18d", k);
    return set;
}

// `count` sets, all shown: mostly low orbits of every inclination, some deep-space ones.
inline std::unique_ptr<SatelliteCatalog> SyntheticCatalog(int count = 400) {
    auto catalog = std::make_unique<SatelliteCatalog>();
    resizeCatalog(*catalog, count);
    for (int k = 0; k < count; ++k) {
        ElementSet set;
        if (k % 20 == 0) {
            set = SyntheticSet(k, 19000.0, 55.0, 0.01);  // navigation-like, 12 hours
        } else if (k % 20 == 10) {
            set = SyntheticSet(k, 35786.0, 0.1, 0.0003);  // geostationary
            set.meanMotion = 1.0027 * kRevPerDayToRadPerMin;
        } else {
            set = SyntheticSet(k, 350.0 + (k * 7) % 1200, (k * 13) % 100, 0.001 + (k % 7) * 0.002);
        }
        catalog->entries[k] = set;
        catalog->selected[k] = 1;
    }
    return catalog;
}

// A catalogue like today's active satellites, `count` of them, all shown:
// three in five in a Starlink-like shell (550 km, 53 degrees, 72 planes), the
// rest mostly other low orbits (sun-synchronous among them), with navigation
// orbits near 20,000 km, geostationary ones and a few Molniya orbits.
inline std::unique_ptr<SatelliteCatalog> ActiveLikeCatalog(int count) {
    auto catalog = std::make_unique<SatelliteCatalog>();
    resizeCatalog(*catalog, count);
    const int shell = count * 3 / 5;
    for (int k = 0; k < count; ++k) {
        ElementSet set;
        if (k < shell) {
            const int plane = k % 72, slot = k / 72;
            set = SyntheticSet(k, 550.0, 53.0, 0.0001);
            set.raan = plane * 5.0 * kDegree;
            set.meanAnomaly = std::fmod(slot * 360.0 / 22.0 + plane * 1.3, 360.0) * kDegree;
        } else if (k % 25 == 0) {
            set = SyntheticSet(k, 20200.0, 55.0, 0.005);  // navigation
        } else if (k % 25 == 1) {
            set = SyntheticSet(k, 35786.0, 0.05, 0.0002);  // geostationary
            set.meanMotion = 1.0027 * kRevPerDayToRadPerMin;
        } else if (k % 97 == 2) {
            set = SyntheticSet(k, 20000.0, 63.4, 0.7);  // Molniya-like
        } else if (k % 3 == 0) {
            set = SyntheticSet(k, 500.0 + (k * 7) % 300, 97.6, 0.001);  // sun-synchronous
        } else {
            set = SyntheticSet(k, 350.0 + (k * 11) % 1100, (k * 13) % 100, 0.0005 + (k % 7) * 0.001);
        }
        set.catalogNumber = 40000 + k;
        catalog->entries[k] = set;
        catalog->selected[k] = 1;
    }
    return catalog;
}

}  // namespace vantrek::testing
