#include "observe/pass_search.hpp"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "astro/constants.hpp"
#include "observe/horizon_bound.hpp"
#include "observe/iridium_flare.hpp"
#include "observe/pass_possible.hpp"
#include "observe/visibility_code.hpp"
#include "observe/visibility_status.hpp"
#include "orbit/current_satellite.hpp"

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

// What one satellite's walk gave, before the rows of all are put together.
struct SatelliteWalk {
    int32_t passes = 0;                // counted when the walk ended
    std::vector<PredictionRow> rows;   // at most the row cap
    // The passes counted when each row was written and, after the last, when
    // one past the cap was refused (the walk ends there).
    std::vector<int32_t> passesAtRow;
};

// The two bars, shared by the threads of one search.
class SharedProgress {
public:
    SharedProgress(const PassSearchProgressFn& fn, int32_t satellites) : fn_(fn) {
        bars_.satelliteCount = satellites;
        report();
    }

    void takeSatellite() {
        const std::lock_guard<std::mutex> hold(lock_);
        ++bars_.satellitesDone;
        report();
    }

    void setTenths(int32_t tenths) {
        const std::lock_guard<std::mutex> hold(lock_);
        bars_.tenthsDone = tenths;
        report();
    }

private:
    void report() {
        if (fn_) fn_(bars_);
    }

    const PassSearchProgressFn& fn_;
    std::mutex lock_;
    PassSearchProgress bars_;
};

// One thread's walker: its own model state, working set and observer.
struct Walker {
    PropagatorState& model;
    const SatelliteCatalog& catalog;
    ElementSet& working;
    Observer& observer;
    const PassSearchOptions& options;
    SharedProgress& progress;
    const std::atomic<bool>* cancel;
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

    // `rowLimit`: the rows this satellite may still add to the list.
    void walk(int index, double start, double end, int32_t rowLimit, SatelliteWalk& out);
};

void Walker::walk(int index, double start, double end, int32_t rowLimit, SatelliteWalk& out) {
    FlareResult flare;
    flare.angle = kObserverBehindMirror;  // no mirror seen yet: take the long steps
    double magnitude = kNoMagnitude;
    int16_t code = evaluate(start, index, 0, magnitude, flare);
    if (code == kVisibilityCannotPropagate || !worthSearching(working)) return;

    int32_t tenths = 0;
    progress.setTenths(tenths);
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
        if (code > 0 && previousCode == 0) ++out.passes;

        // The period may be empty: the bar is then full at once.
        double percent = (t - start) * percentPerDay;
        if (!(percent < 100.0)) percent = 100.0;
        while (progressMark + 10 <= percent) {
            progressMark += 10;
            progress.setTenths(++tenths);
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
            out.passesAtRow.push_back(out.passes);
            if (static_cast<int32_t>(out.rows.size()) >= rowLimit) return;
            PredictionRow& row = out.rows.emplace_back();
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

// What the threads of one search share besides the bars.
struct SharedWalks {
    std::vector<SatelliteWalk> walks;  // by catalogue index
    std::atomic<int32_t> next{0};      // the next satellite to take
    // Rows found so far. Satellites are taken in order, so when one is taken
    // every row found came from one before it: the list has at least that
    // many rows ahead of it, and it need not find more than the rest.
    std::atomic<int64_t> rowsFound{0};
};

// Takes satellites until none is left or the search is stopped.
void walkSatellites(Walker& walker, SharedWalks& shared, int32_t count, double start, double end) {
    for (;;) {
        if (cancelled(walker.cancel)) return;
        const int32_t i = shared.next.fetch_add(1, std::memory_order_acq_rel);
        if (i >= count) return;
        const int64_t ahead = shared.rowsFound.load(std::memory_order_acquire);
        walker.progress.takeSatellite();
        if (walker.catalog.selected[static_cast<std::size_t>(i)] != 1) continue;
        SatelliteWalk& walk = shared.walks[static_cast<std::size_t>(i)];
        const int32_t rowLimit = static_cast<int32_t>(std::max<int64_t>(0, walker.options.maxRows - ahead));
        walker.walk(i, start, end, rowLimit, walk);
        shared.rowsFound.fetch_add(static_cast<int64_t>(walk.rows.size()), std::memory_order_acq_rel);
        if (walker.stopped) return;
    }
}

// The rows of the walks in catalogue order, as one walk after the other
// would have written them: once `maxRows` are kept, a satellite stops at
// the row that did not fit and its passes are those counted until then.
int32_t mergeWalks(const std::vector<SatelliteWalk>& walks, int32_t maxRows, PredictionResults& results) {
    int32_t passes = 0;
    for (const SatelliteWalk& walk : walks) {
        const std::size_t room = static_cast<std::size_t>(maxRows) - results.rows.size();
        if (walk.passesAtRow.size() > room) {
            results.rows.insert(results.rows.end(), walk.rows.begin(), walk.rows.begin() + static_cast<long>(room));
            passes += walk.passesAtRow[room];
            results.full = true;
        } else {
            results.rows.insert(results.rows.end(), walk.rows.begin(), walk.rows.end());
            passes += walk.passes;
        }
    }
    results.count = static_cast<int32_t>(results.rows.size());
    return passes;
}

struct SearchPlan {
    PassSearchOptions options;
    int32_t count = 0;
    double start = 0.0;
    double end = 0.0;
};

SearchPlan planSearch(const SatelliteCatalog& catalog, const PassSearchOptions& options,
                      PredictionResults& results) {
    SearchPlan plan;
    plan.options = CheckedPassSearchOptions(options);
    plan.count = loadedSatelliteCount(catalog);
    plan.start = plan.options.start;
    plan.end = plan.start + plan.options.hours * kHour;
    results.rows.clear();
    results.count = 0;
    results.full = false;
    return plan;
}

}  // namespace

int32_t RunPassSearch(PropagatorState& model, const SatelliteCatalog& catalog, ElementSet& working,
                      Observer& observer, const PassSearchOptions& options,
                      PredictionResults& results, const PassSearchProgressFn& progress,
                      const std::atomic<bool>* cancel) {
    const SearchPlan plan = planSearch(catalog, options, results);
    SharedProgress bars(progress, plan.count);
    SharedWalks shared;
    shared.walks.resize(static_cast<std::size_t>(plan.count));
    Walker walker{model, catalog, working, observer, plan.options, bars, cancel};
    walkSatellites(walker, shared, plan.count, plan.start, plan.end);
    return mergeWalks(shared.walks, plan.options.maxRows, results);
}

int32_t RunPassSearchOnThreads(const SatelliteCatalog& catalog, const Observer& observer,
                               const PassSearchOptions& options, PredictionResults& results,
                               int threads, const PassSearchProgressFn& progress,
                               const std::atomic<bool>* cancel) {
    const SearchPlan plan = planSearch(catalog, options, results);
    SharedProgress bars(progress, plan.count);
    SharedWalks shared;
    shared.walks.resize(static_cast<std::size_t>(plan.count));

    // Each thread's own model state (large: on the heap), working set and observer.
    struct Own {
        std::unique_ptr<PropagatorState> model = std::make_unique<PropagatorState>();
        ElementSet working;
        Observer observer;
    };
    const int wanted = std::clamp(threads, 1, 64);
    std::vector<Own> own(static_cast<std::size_t>(wanted));
    std::vector<std::thread> started;
    const auto work = [&](Own& mine) {
        mine.observer = observer;
        Walker walker{*mine.model, catalog, mine.working, mine.observer, plan.options, bars, cancel};
        walkSatellites(walker, shared, plan.count, plan.start, plan.end);
    };
    for (int k = 1; k < wanted; ++k) {
        try {
            started.emplace_back(work, std::ref(own[static_cast<std::size_t>(k)]));
        } catch (const std::system_error&) {
            break;  // fewer threads: the others take their share
        }
    }
    work(own[0]);
    for (std::thread& thread : started) thread.join();
    return mergeWalks(shared.walks, plan.options.maxRows, results);
}

int PassSearchThreadCount() {
    const unsigned cores = std::thread::hardware_concurrency();
    return std::clamp(static_cast<int>(cores), 1, 8);
}

}  // namespace vantrek
