// Visibility evaluation and the pass search.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

#include "astro/constants.hpp"
#include "astro/julian_date.hpp"
#include "astro/observer.hpp"
#include "observe/pass_search.hpp"
#include "observe/visibility_status.hpp"
#include "orbit/propagator_state.hpp"

#include "../tests/support/synthetic_catalog.hpp"
#include "../tests/support/catalog_builder.hpp"

namespace {

using namespace vantrek;

using vantrek::testing::SyntheticCatalog;
using vantrek::testing::SyntheticSet;
constexpr double kEpoch = vantrek::testing::kSyntheticEpoch;

Observer benchObserver() {
    Observer observer;  // the start-up observer, 54.3 N 10.1 E
    return observer;
}

void BM_VisibilityStatus(benchmark::State& state) {
    auto catalog = std::make_unique<SatelliteCatalog>();
    vantrek::testing::AddToCatalog(*catalog, SyntheticSet(1, 420.0, 51.6, 0.0005));
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
    auto catalog = SyntheticCatalog();
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

namespace {

// 400 shown sets as 20 searches of 20, so the 301-row list never fills: 24
// hours, normal mode, every satellite walked through the whole day.
void BM_PassSearch400(benchmark::State& state) {
    const auto all = SyntheticCatalog();
    std::vector<std::unique_ptr<SatelliteCatalog>> parts;
    for (int p = 0; p < 20; ++p) {
        auto part = std::make_unique<SatelliteCatalog>();
        for (int k = 0; k < 20; ++k) {
            part->entries[k] = all->entries[20 * p + k];
            part->selected[k] = 1;
        }
        part->count = 20;
        parts.push_back(std::move(part));
    }
    auto model = std::make_unique<PropagatorState>();
    auto results = std::make_unique<PredictionResults>();
    ElementSet working;
    Observer observer = benchObserver();
    PassSearchOptions options;
    options.start = JulianDateFromEpoch(kEpoch);
    options.hours = 24.0;
    int32_t passes = 0;
    int32_t rows = 0;
    for (auto _ : state) {
        passes = 0;
        rows = 0;
        for (const auto& part : parts) {
            passes += RunPassSearch(*model, *part, working, observer, options, *results);
            rows += results->count;
        }
        benchmark::DoNotOptimize(passes);
    }
    state.counters["passes"] = passes;
    state.counters["rows"] = rows;
}
BENCHMARK(BM_PassSearch400)->Unit(benchmark::kMillisecond);

}  // namespace
