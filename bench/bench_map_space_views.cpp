// One frame of the map view and of the space view with 400 shown sets and
// every path on, core only (no replay onto pixels).
#include <benchmark/benchmark.h>

#include "ui/main_window_paint.hpp"

#include "../tests/support/busy_sky.hpp"

namespace {

using namespace vantrek;

void frames(benchmark::State& state, ViewMode mode) {
    auto app = vantrek::testing::BusySkyState();
    app->viewMode = mode;
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

void BM_SpaceViewFrame(benchmark::State& state) { frames(state, ViewMode::Space); }
BENCHMARK(BM_SpaceViewFrame)->Unit(benchmark::kMillisecond);

}  // namespace
