#include "observe/pass_search.hpp"

#include <cmath>
#include <limits>

#include "astro/constants.hpp"
#include "observe/horizon_bound.hpp"
#include "observe/iridium_flare.hpp"
#include "observe/pass_possible.hpp"
#include "observe/visibility_code.hpp"
#include "observe/visibility_status.hpp"

namespace vantrek {

namespace {

// Time steps, in days.
constexpr double kStepBelowLimit = 0.0005787037037037037;  // 50 s
constexpr double kStepInPass = 0.00034722222222222224;     // 30 s
constexpr double kStepFlareFar = 0.00037037037037037035;   // 32 s, mirror 30 degrees or more off
constexpr double kStepFlareNear = 4.6296296296296294e-05;  // 4 s, 10 to 30 degrees
constexpr double kOneSecond = 1.1574074074074073e-05;      // flare steps closer than 10 degrees
constexpr double kStepAfterFlare = 0.0006944444444444445;  // 60 s
constexpr double kHour = 0.041666666666666664;
constexpr double kSecondsPerDay = 86400.0;

// Jumps, in orbital periods: out of a pass that has just ended, and out of a
// pass that has given its row.
constexpr double kJumpAfterSetting = 0.85;
constexpr double kJumpAfterRow = 0.75;

// Mean motion of a geostationary orbit and the tolerance, revolutions per day.
constexpr double kGeostationaryMotion = 1.0027;
constexpr double kGeostationaryTolerance = 9e-5;

bool isGeostationary(const ElementSet& set) {
    const double revolutionsPerDay = set.meanMotion / kRevPerDayToRadPerMin;
    return std::fabs(revolutionsPerDay - kGeostationaryMotion) < kGeostationaryTolerance;
}

bool cancelled(const std::atomic<bool>* cancel) {
    return cancel != nullptr && cancel->load(std::memory_order_relaxed);
}

// Everything one search shares between its satellites.
struct Search {
    PropagatorState& model;
    const SatelliteCatalog& catalog;
    ElementSet& working;
    Observer& observer;
    const PassSearchOptions& options;
    PredictionResults& results;
    const PassSearchProgressFn& progressFn;
    const std::atomic<bool>* cancel;
    PassSearchProgress progress;
    int32_t passes = 0;
    bool stopped = false;

    // Until this instant the satellite is known to stay below the horizon.
    double quietUntil = -std::numeric_limits<double>::infinity();

    int16_t evaluate(double t, int index, uint8_t reload, double& magnitude, FlareResult& flare) {
        Vector4 position, velocity;
        const int16_t code = VisibilityStatus(model, catalog, t, working, index, observer, reload,
                                              options.limits, options.engine, options.flareMode,
                                              magnitude, flare, &position, &velocity);
        quietUntil = -std::numeric_limits<double>::infinity();
        // Only near-Earth models may be left unevaluated: a deep-space call
        // moves the periodics' reuse time and the resonance integrator.
        if (code == kVisibilityInvisible && !working.deepSpace) {
            quietUntil = t + SecondsBelowHorizon(position, velocity, observer) / kSecondsPerDay;
        }
        return code;
    }

    // The evaluation on the step grid, or its known result while the
    // satellite cannot have risen: below the limit, no magnitude.
    int16_t step(double t, int index, double& magnitude, FlareResult& flare) {
        if (t < quietUntil) {
            magnitude = kNoMagnitude;
            return kVisibilityInvisible;
        }
        return evaluate(t, index, 1, magnitude, flare);
    }

    void report() {
        if (progressFn) progressFn(progress);
    }

    bool wantsRow(int16_t code, double magnitude, double previousMagnitude) const {
        const bool bright = options.magnitudeFilter == 0 || magnitude < options.minimumMagnitude;
        if (options.flareMode != 1) {
            // Unfiltered, any pass above the limit, whether sunlit, shadowed or in daylight.
            return code >= (options.magnitudeFilter ? kVisibilityVisible : kVisibilityEclipsed) &&
                   bright;
        }
        // A flare is written once it has passed its brightest point.
        return code == kVisibilityFlare && magnitude != kNoMagnitude &&
               previousMagnitude != kNoMagnitude && magnitude > previousMagnitude && bright;
    }

    bool worthSearching(const ElementSet& set) const {
        if (options.flareMode == 1) {
            return PassPossible(set, observer) && !IsFlareExcluded(set.catalogNumber);
        }
        return !isGeostationary(set) && PassPossible(set, observer);
    }

    void searchSatellite(int index, double start, double end);
};

void Search::searchSatellite(int index, double start, double end) {
    FlareResult flare;
    flare.angle = kObserverBehindMirror;  // no mirror seen yet: take the long steps
    double magnitude = kNoMagnitude;
    int16_t code = evaluate(start, index, 0, magnitude, flare);
    if (code == kVisibilityCannotPropagate || !worthSearching(working)) return;

    progress.tenthsDone = 0;
    report();
    const double period = working.period * 60.0 / 86400.0;  // days
    const double percentPerDay = 100.0 / (end - start);
    const bool flareMode = options.flareMode == 1;
    double t = start;
    int16_t previousCode = code;
    double previousMagnitude = kNoMagnitude;
    int32_t progressMark = 0;
    // The evaluation just made is the first one after a row's jump; a
    // satellite found below the limit there has already been moved past its
    // pass, and jumping again would skip the next one.
    bool rowJumpPending = false;
    bool firstAfterRowJump = false;

    do {
        if (cancelled(cancel)) {
            stopped = true;
            return;
        }
        if (code == kVisibilityInvisible) {
            t += kStepBelowLimit;
            if (previousCode > 0 && !firstAfterRowJump) t += kJumpAfterSetting * period;
        } else if (!flareMode) {
            t += kStepInPass;
        } else {
            const double angleDegrees = flare.angle / kDegree;
            if (angleDegrees >= 30.0) {
                t += kStepFlareFar;
            } else if (angleDegrees >= 10.0) {
                t += kStepFlareNear;
            } else {
                t += kOneSecond;
            }
        }
        if (code > 0 && previousCode == 0) ++passes;

        // The period may be empty: the bar is then full at once.
        double percent = (t - start) * percentPerDay;
        if (!(percent < 100.0)) percent = 100.0;
        while (progressMark + 10 <= percent) {
            progressMark += 10;
            ++progress.tenthsDone;
            report();
        }

        previousCode = code;
        firstAfterRowJump = rowJumpPending;
        rowJumpPending = false;
        code = step(t, index, magnitude, flare);
        if (code == kVisibilityCannotPropagate) return;  // the orbit has decayed
        const double evaluatedMagnitude = magnitude;

        if (wantsRow(code, magnitude, previousMagnitude)) {
            if (flareMode) {
                // The peak was the evaluation before: list the flare a second earlier.
                t -= kOneSecond;
                evaluate(t, index, 1, magnitude, flare);
            }
            if (results.count >= kPredictionCapacity) return;
            PredictionRow& row = results.rows[results.count++];
            row.code = code;
            row.time = t;
            row.magnitude = magnitude;
            row.flareAngle = flare.angle;
            row.satelliteIndex = index;
            if (flareMode) {
                t += kStepAfterFlare;
            } else {
                t += kJumpAfterRow * period;
                rowJumpPending = true;
            }
        }
        previousMagnitude = evaluatedMagnitude;
    } while (t < end);
}

}  // namespace

int32_t RunPassSearch(PropagatorState& model, const SatelliteCatalog& catalog, ElementSet& working,
                      Observer& observer, const PassSearchOptions& options,
                      PredictionResults& results, const PassSearchProgressFn& progress,
                      const std::atomic<bool>* cancel) {
    const PassSearchOptions checked = CheckedPassSearchOptions(options);
    results.count = 0;
    Search search{model, catalog, working, observer, checked, results, progress, cancel, {}};
    const int32_t count = catalog.count < 0 ? 0
                          : catalog.count > kCatalogCapacity ? kCatalogCapacity
                                                              : catalog.count;
    search.progress.satelliteCount = count;
    search.report();
    const double start = checked.start;
    const double end = start + checked.hours * kHour;
    for (int i = 0; i < count && !search.stopped; ++i) {
        if (cancelled(cancel)) break;
        ++search.progress.satellitesDone;
        search.report();
        if (catalog.selected[i] != 1) continue;
        search.searchSatellite(i, start, end);
    }
    return search.passes;
}

}  // namespace vantrek
