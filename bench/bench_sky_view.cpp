// One frame of the sky view, core only (no replay onto pixels).
#include <benchmark/benchmark.h>

#include "ui/main_window_paint.hpp"

#include "../tests/support/busy_sky.hpp"

namespace {

using namespace vantrek;

void BM_SkyViewFrame(benchmark::State& state) {
    auto app = vantrek::testing::BusySkyState();
    std::size_t commands = 0, tracked = 0;
    for (auto _ : state) {
        DisplayList list;
        PaintView(*app, list, {0, 0, 1280, 800});
        commands = list.commands.size();
        tracked = 0;
        for (const DrawCommand& c : list.commands)
            if (c.op == DrawOp::CopyBitmap && c.bitmap == BitmapId::Sat) ++tracked;
        benchmark::DoNotOptimize(list.commands.data());
    }
    state.counters["commands"] = static_cast<double>(commands);
    state.counters["satellitesUp"] = static_cast<double>(tracked);
}
BENCHMARK(BM_SkyViewFrame)->Unit(benchmark::kMillisecond);

}  // namespace
