// Visibility evaluation and the pass search.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <memory>

#include "astro/constants.hpp"
#include "astro/julian_date.hpp"
#include "astro/observer.hpp"
#include "observe/pass_search.hpp"
#include "observe/visibility_status.hpp"
#include "orbit/propagator_state.hpp"

namespace {

using namespace vantrek;

constexpr double kEpoch = 24172.0;  // 2024-06-20 0h UTC

ElementSet syntheticSet(int k, double heightKm, double inclinationDeg, double eccentricity) {
    ElementSet set;
    set.epoch = kEpoch;
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

// 400 sets: mostly low orbits of every inclination, some deep-space ones.
std::unique_ptr<SatelliteCatalog> syntheticCatalog() {
    auto catalog = std::make_unique<SatelliteCatalog>();
    for (int k = 0; k < kCatalogCapacity; ++k) {
        ElementSet set;
        if (k % 20 == 0) {
            set = syntheticSet(k, 19000.0, 55.0, 0.01);  // navigation-like, 12 hours
        } else if (k % 20 == 10) {
            set = syntheticSet(k, 35786.0, 0.1, 0.0003);  // geostationary
            set.meanMotion = 1.0027 * kRevPerDayToRadPerMin;
        } else {
            set = syntheticSet(k, 350.0 + (k * 7) % 1200, (k * 13) % 100, 0.001 + (k % 7) * 0.002);
        }
        catalog->entries[k] = set;
        catalog->selected[k] = 1;
    }
    catalog->count = kCatalogCapacity;
    return catalog;
}

Observer benchObserver() {
    Observer observer;  // the start-up observer, 54.3 N 10.1 E
    return observer;
}

void BM_VisibilityStatus(benchmark::State& state) {
    auto catalog = std::make_unique<SatelliteCatalog>();
    catalog->entries[0] = syntheticSet(1, 420.0, 51.6, 0.0005);
    catalog->selected[0] = 1;
    catalog->count = 1;
    auto model = std::make_unique<PropagatorState>();
    ElementSet working;
    Observer observer = benchObserver();
    VisibilityLimits limits;
    FlareResult flare;
    double magnitude = 0.0;
    double jd = JulianDateFromEpoch(kEpoch);
    VisibilityStatus(*model, *catalog, jd, working, 0, observer, 0, limits, 0, 0, magnitude, flare);
    for (auto _ : state) {
        benchmark::DoNotOptimize(VisibilityStatus(*model, *catalog, jd, working, 0, observer, 1,
                                                  limits, 0, 0, magnitude, flare));
        jd += 30.0 / 86400.0;
    }
}
BENCHMARK(BM_VisibilityStatus);

void searchBenchmark(benchmark::State& state, int32_t flareMode, int32_t magnitudeFilter) {
    auto catalog = syntheticCatalog();
    auto model = std::make_unique<PropagatorState>();
    auto results = std::make_unique<PredictionResults>();
    ElementSet working;
    Observer observer = benchObserver();
    PassSearchOptions options;
    options.start = JulianDateFromEpoch(kEpoch);
    options.hours = 24.0;
    options.flareMode = flareMode;
    options.magnitudeFilter = magnitudeFilter;
    options.minimumMagnitude = 9.0;
    int32_t passes = 0;
    for (auto _ : state) {
        passes = RunPassSearch(*model, *catalog, working, observer, options, *results);
        benchmark::DoNotOptimize(passes);
    }
    state.counters["passes"] = passes;
    state.counters["rows"] = results->count;
}

// Every pass listed: the list fills up and the last satellites stop early.
void BM_PassSearch24Hours400Sets(benchmark::State& state) { searchBenchmark(state, 0, 0); }
BENCHMARK(BM_PassSearch24Hours400Sets)->Unit(benchmark::kMillisecond);

// Only bright passes listed: every satellite is walked through the whole day.
void BM_BrightPassSearch24Hours400Sets(benchmark::State& state) { searchBenchmark(state, 0, 1); }
BENCHMARK(BM_BrightPassSearch24Hours400Sets)->Unit(benchmark::kMillisecond);

void BM_FlareSearch24Hours400Sets(benchmark::State& state) { searchBenchmark(state, 1, 0); }
BENCHMARK(BM_FlareSearch24Hours400Sets)->Unit(benchmark::kMillisecond);

}  // namespace
