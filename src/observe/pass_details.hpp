#pragma once

#include <string>
#include <vector>

#include "astro/observer.hpp"
#include "observe/pass_search_options.hpp"
#include "observe/prediction_results.hpp"
#include "orbit/element_set.hpp"
#include "orbit/propagator_state.hpp"

namespace vantrek {

// One pass over the observer, from its rise above the satellite elevation
// limit (AOS) over its highest point (TCA) to its set (LOS). Times are UTC
// Julian dates, found to a millisecond; angles in radians, without refraction.
struct PassDetails {
    bool valid = false;      // false: no pass (never sets, geostationary, no position)
    bool upAtStart = false;  // already up when the search began: `aos` is that start
    int32_t satelliteIndex = -1;  // catalogue entry and instant the pass was found from
    double foundAt = 0.0;
    std::string name;        // the satellite's name, trailing blanks dropped
    int32_t catalogNumber = 0;
    double aos = 0.0, tca = 0.0, los = 0.0;
    double aosAzimuth = 0.0, tcaAzimuth = 0.0, losAzimuth = 0.0;
    double aosElevation = 0.0, losElevation = 0.0;  // the limit, or higher at the start
    double maxElevation = 0.0;  // at TCA
    double tcaRange = 0.0;      // km

    // The part seen by the eye: satellite sunlit, above the limit, Sun below
    // its limit. From its first to its last visible instant, to a second.
    bool visible = false;
    double visibleStart = 0.0, visibleEnd = 0.0;
    double brightestMagnitude = 100.0;  // over the visible part; 100 = none
};

// Seconds from AOS to LOS.
double PassDurationSeconds(const PassDetails& pass);

// The pass that catalogue entry `index` is making at `t`, an instant at which
// it is above the satellite limit of `options` (a row's time). The rise is
// looked for back to options.start: a satellite already up then has the start
// as its rise, marked upAtStart. Uses the engine and the two limits of the
// options. False (and `out.valid` false) when there is no such pass: the
// satellite is not up at `t`, is geostationary, has not set within a day (or
// two orbits, if longer) either way, or cannot be propagated. `model` is
// initialised afresh, so the result does not depend on earlier calls.
bool FindPassDetails(PropagatorState& model, const SatelliteCatalog& catalog, int index,
                     Observer& observer, const PassSearchOptions& options, double t,
                     PassDetails& out);

// The pass of every stored row (normal or flare mode), in the rows' order,
// the rows shared out among `threads` threads (each with its own model state).
// Each record names its row's satellite and time, so that records kept
// beside rows that have since changed are never taken for theirs.
void ComputePassDetails(const SatelliteCatalog& catalog, const Observer& observer, const PassSearchOptions& options,
                        const PredictionResults& results, std::vector<PassDetails>& details, int threads = 1);

// The details of stored row `stored`, or null when `details` holds none for
// that row (not computed, or computed for other rows).
const PassDetails* PassDetailsOfRow(const std::vector<PassDetails>& details,
                                    const PredictionResults& results, int stored);

}  // namespace vantrek
