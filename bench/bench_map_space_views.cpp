// One frame of the map view and of the space view with 400 shown sets and
// every path on (and, for the map, with only the current one), core only
// (no replay onto pixels).
#include <benchmark/benchmark.h>

#include "ui/main_window_paint.hpp"

#include "../tests/support/busy_sky.hpp"

namespace {

using namespace vantrek;

void frames(benchmark::State& state, ViewMode mode, int32_t allPaths = 1) {
    auto app = vantrek::testing::BusySkyState();
    app->viewMode = mode;
    app->settings.showAllPaths = allPaths;
    app->settings.Flag_planets = 1;
    if (mode == ViewMode::Space)
        takeSpaceViewSnapshot(app->clock.currentDate, true, 0, app->catalog, app->observer, app->model,
                              *app->spaceSnapshot);
    std::size_t commands = 0;
    for (auto _ : state) {
        DisplayList list;
        PaintView(*app, list, {0, 0, 1280, 800});
        commands = list.commands.size();
        benchmark::DoNotOptimize(list.commands.data());
    }
    state.counters["commands"] = static_cast<double>(commands);
}

void BM_MapViewFrame(benchmark::State& state) { frames(state, ViewMode::Map); }
BENCHMARK(BM_MapViewFrame)->Unit(benchmark::kMillisecond);

// The everyday map: 400 markers, the current satellite's footprint and track.
void BM_MapViewFrameCurrentPath(benchmark::State& state) { frames(state, ViewMode::Map, 0); }
BENCHMARK(BM_MapViewFrameCurrentPath)->Unit(benchmark::kMillisecond);

void BM_SpaceViewFrame(benchmark::State& state) { frames(state, ViewMode::Space); }
BENCHMARK(BM_SpaceViewFrame)->Unit(benchmark::kMillisecond);

}  // namespace
