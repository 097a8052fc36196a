#pragma once

#include <cstdint>
#include <vector>

#include "astro/observer.hpp"
#include "astro/planets.hpp"
#include "astro/vector4.hpp"
#include "orbit/element_set.hpp"
#include "orbit/propagator_state.hpp"

namespace vantrek {

constexpr double kSpaceViewUnitsPerKm = 0.01;  // the space view works in units of 100 km
constexpr int kOrbitRingPoints = 720;
constexpr int kMoonPathPoints = 720;
constexpr double kMoonPathStep = 0.03888888888888889;  // days: 720 steps cover 28 days
constexpr int kCurrentOrbitPoints = 1000;

// Everything the space view draws besides the globe, taken once per timer
// tick. Positions are geocentric and in units of 100 km, w their length.
// The record is large (about 0.5 MB): keep it on the heap.
struct SpaceViewSnapshot {
    double julianDate = 0.0;
    Vector4 sun;
    Vector4 observer;
    // Planets and their orbits; filled only while planets are shown.
    bool planetsShown = false;
    Vector4 planets[kPlanetRowCount];  // by body code 1..8; entry 0 unused
    Vector4 rings[kPlanetRowCount][kOrbitRingPoints];  // by body code 0..8
    // Heliocentric orbit points in km, computed once (an orbit's shape does not change).
    bool ringCacheFilled = false;
    Vector4 ringCache[kPlanetRowCount][kOrbitRingPoints];
    Vector4 moon;
    Vector4 moonPath[kMoonPathPoints];  // the next 28 days
    // Selected satellites that could be propagated, by slot (as many as the catalogue has).
    std::vector<uint8_t> satelliteShown;
    std::vector<Vector4> satellites;
    // The current satellite's next period in 1000 equal steps; fewer when
    // its propagation fails part-way, none when it fails at once.
    int32_t currentOrbitCount = 0;
    Vector4 currentOrbit[kCurrentOrbitPoints];
};

// Takes the snapshot at Julian date `now`. showPlanets is the planets setting,
// engine the propagation engine setting; the observer's theta is written and
// the model state is left holding the current satellite.
void takeSpaceViewSnapshot(double now, bool showPlanets, int32_t engine, const SatelliteCatalog& catalog,
                           Observer& observer, PropagatorState& model, SpaceViewSnapshot& out);

}  // namespace vantrek
