#pragma once

#include <vector>

#include "astro/observer.hpp"
#include "observe/pass_details.hpp"
#include "orbit/element_set.hpp"
#include "orbit/propagator_state.hpp"

namespace vantrek {

// The satellite seen from the observer at one instant of a pass.
struct PassTrackPoint {
    double t = 0.0;          // UTC Julian date
    double azimuth = 0.0;    // rad
    double elevation = 0.0;  // rad, no refraction
    double range = 0.0;      // km
    double rangeRate = 0.0;  // km/s, positive when the distance grows
    bool sunlit = false;     // outside the Earth's full shadow
};

// AOS to LOS in `segments` even steps, with TCA among them; none for no pass.
std::vector<double> EvenPassTimes(const PassDetails& pass, int segments);

// AOS, then every `stepSeconds` after it while before LOS, then LOS: the
// rows of a pass table. At most `mostRows` (LOS kept last).
std::vector<double> PassTableTimes(const PassDetails& pass, double stepSeconds, int mostRows);

// Catalogue entry `index` at each of `times` (the model initialised afresh,
// the engine as given). False, with the points found so far, when it cannot
// be propagated.
bool SamplePass(PropagatorState& model, const SatelliteCatalog& catalog, int index, Observer& observer,
                int32_t engine, const std::vector<double>& times, std::vector<PassTrackPoint>& points);

}  // namespace vantrek
