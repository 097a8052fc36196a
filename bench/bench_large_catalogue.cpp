// The whole public catalogue: loading 30,000 sets, the views with 12,000
// shown, the pass search over them, and the map with every path on while the
// clock runs in real time (core only; the Qt replay is timed in bench/qt).
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "astro/julian_date.hpp"
#include "observe/pass_search.hpp"
#include "orbit/catalog_loading.hpp"
#include "ui/main_window.hpp"
#include "ui/main_window_paint.hpp"

#include "element_set_files.hpp"

#include "../tests/support/busy_sky.hpp"
#include "../tests/support/synthetic_catalog.hpp"

namespace {

using namespace vantrek;
using namespace vantrek::testing;

const std::vector<ElementSet>& catalogue30000() {
    static const std::vector<ElementSet> sets = ActiveLikeCatalog(30000)->entries;
    return sets;
}

void load(benchmark::State& state, const std::string& text) {
    auto catalog = std::make_unique<SatelliteCatalog>();
    int loaded = 0;
    for (auto _ : state) {
        loaded = loadElementSets(*catalog, text.data(), static_cast<long>(text.size()));
        benchmark::DoNotOptimize(catalog->entries.data());
    }
    state.counters["sets"] = loaded;
    state.counters["MB"] = static_cast<double>(text.size()) / 1e6;
}

void BM_LoadTwoLine30000(benchmark::State& state) { load(state, TwoLineFile(catalogue30000())); }
BENCHMARK(BM_LoadTwoLine30000)->Unit(benchmark::kMillisecond);

void BM_LoadCsv30000(benchmark::State& state) { load(state, OmmCsvFile(catalogue30000())); }
BENCHMARK(BM_LoadCsv30000)->Unit(benchmark::kMillisecond);

void frames(benchmark::State& state, ViewMode mode) {
    auto app = ActiveSkyState(12000, mode);  // the everyday view of a whole "active" download
    std::size_t commands = 0;
    for (auto _ : state) {
        // The space view's snapshot is taken on every tick: part of its frame.
        if (mode == ViewMode::Space)
            takeSpaceViewSnapshot(app->clock.currentDate, false, 0, app->catalog, app->observer, app->model,
                                  *app->spaceSnapshot);
        DisplayList list;
        PaintView(*app, list, {0, 0, 1280, 800});
        commands = list.commands.size();
        benchmark::DoNotOptimize(list.commands.data());
    }
    state.counters["commands"] = static_cast<double>(commands);
}

void BM_SkyViewFrame12000(benchmark::State& state) { frames(state, ViewMode::Sky); }
BENCHMARK(BM_SkyViewFrame12000)->Unit(benchmark::kMillisecond);

void BM_MapViewFrame12000(benchmark::State& state) { frames(state, ViewMode::Map); }
BENCHMARK(BM_MapViewFrame12000)->Unit(benchmark::kMillisecond);

void BM_SpaceViewFrame12000(benchmark::State& state) { frames(state, ViewMode::Space); }
BENCHMARK(BM_SpaceViewFrame12000)->Unit(benchmark::kMillisecond);

// 12,000 sets over 24 hours in normal mode, on 1 and 2 threads.
void BM_PassSearch12000(benchmark::State& state) {
    auto catalog = ActiveLikeCatalog(12000);
    PassSearchOptions options;
    options.start = JulianDateFromEpoch(kSyntheticEpoch) + 0.3;
    options.hours = 24.0;
    options.maxRows = kPredictionRowLimit;
    Observer observer;
    observer.latitude = 54.3 * kDegree;
    observer.longitude = 10.1 * kDegree;
    observer.height = 0.03;
    PredictionResults results;
    int32_t passes = 0;
    for (auto _ : state) {
        passes = RunPassSearchOnThreads(*catalog, observer, options, results, static_cast<int>(state.range(0)));
        benchmark::DoNotOptimize(results.rows.data());
    }
    state.counters["passes"] = passes;
    state.counters["rows"] = results.count;
}
BENCHMARK(BM_PassSearch12000)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

// 400 shown sets with every path on, the clock running in real time: each
// frame half a second after the one before.
void BM_MapViewAllPathsRealTime(benchmark::State& state) {
    auto app = BusySkyState();
    app->viewMode = ViewMode::Map;
    app->settings.showAllPaths = 1;
    app->clock.mode = ClockMode::RealTime;
    double now = app->clock.currentDate;
    std::size_t commands = 0;
    for (auto _ : state) {
        now += 0.5 / 86400.0;
        AdvanceClock(app->clock, now);
        DisplayList list;
        PaintView(*app, list, {0, 0, 1280, 800});
        commands = list.commands.size();
        benchmark::DoNotOptimize(list.commands.data());
    }
    state.counters["commands"] = static_cast<double>(commands);
}
BENCHMARK(BM_MapViewAllPathsRealTime)->Unit(benchmark::kMillisecond);

}  // namespace
