#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

#include "astro/observer.hpp"
#include "observe/pass_search_options.hpp"
#include "observe/prediction_results.hpp"
#include "orbit/element_set.hpp"
#include "orbit/propagator_state.hpp"

namespace vantrek {

// Where a running search is, for the two progress bars.
struct PassSearchProgress {
    int32_t satellitesDone = 0;  // catalogue entries taken so far, 0..satelliteCount
    int32_t satelliteCount = 0;  // loaded element sets
    int32_t tenthsDone = 0;      // tenths of the period walked for the current satellite, 0..10
};

// Called from the searching threads, never from two at once.
using PassSearchProgressFn = std::function<void(const PassSearchProgress&)>;

// Walks every selected satellite of the catalogue through the period of the
// options and stores one row per pass that qualifies (normal mode) or per
// flare peak (flare mode), in catalogue order, at most options.maxRows; the
// rows of an earlier search are dropped first. Returns the number of passes
// counted: a pass counts at the step after the one that found it risen, so
// one already under way at the start does not count, nor one whose row's
// jump ends the period. Once the rows are full, every later satellite stops
// at its first qualifying step (whose pass is never counted) and `full` is set.
// Normal mode skips geostationary satellites and orbits that never rise over
// the observer; flare mode searches only orbits that can rise and are not on
// the flare exclusion list. A near-Earth satellite is not evaluated at the
// steps it provably cannot have risen by; the rows are those of evaluating
// every step. `working` and `model` are left holding the last
// satellite searched. `progress` (may be empty) is told of every change of the
// two bars; a set `cancel` flag (may be null) stops the search between steps,
// keeping the rows found so far. Out-of-range options are replaced as
// CheckedPassSearchOptions does.
int32_t RunPassSearch(PropagatorState& model, const SatelliteCatalog& catalog, ElementSet& working,
                      Observer& observer, const PassSearchOptions& options,
                      PredictionResults& results, const PassSearchProgressFn& progress = {},
                      const std::atomic<bool>* cancel = nullptr);

// The same search with the satellites shared out among `threads` threads
// (each with its own model state and working set); the rows, their order and
// the count are those of one thread, whatever the number. The bars show the
// satellites taken by all threads and the period walked by the latest.
int32_t RunPassSearchOnThreads(const SatelliteCatalog& catalog, const Observer& observer,
                               const PassSearchOptions& options, PredictionResults& results,
                               int threads, const PassSearchProgressFn& progress = {},
                               const std::atomic<bool>* cancel = nullptr);

// The threads a search uses on this computer: one per core, at most 8.
int PassSearchThreadCount();

}  // namespace vantrek
