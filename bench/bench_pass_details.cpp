// Pass details after a search, and the pass chart.
#include <benchmark/benchmark.h>

#include <vector>

#include "pass_chart_sample.hpp"

namespace {

using namespace vantrek;

void BM_PassDetailsForAFullList(benchmark::State& state) {
    bench::SearchedDay day;
    std::vector<PassDetails> details;
    for (auto _ : state) {
        ComputePassDetails(*day.catalog, day.observer, day.options, *day.results, details);
        benchmark::DoNotOptimize(details.data());
    }
    int visible = 0;
    for (const PassDetails& d : details) visible += d.visible;
    state.counters["rows"] = day.results->count;
    state.counters["visible"] = visible;
}
BENCHMARK(BM_PassDetailsForAFullList)->Unit(benchmark::kMillisecond);

// The chart window's work when it opens: the drawn track and the 30 s table.
void BM_PassChartTrackAndTable(benchmark::State& state) {
    bench::SearchedDay day;
    const PassDetails pass = day.highestPass().pass;
    std::vector<PassTrackPoint> track, table;
    for (auto _ : state) {
        SamplePass(*day.model, *day.catalog, pass.satelliteIndex, day.observer, 0,
                   EvenPassTimes(pass, kPassChartSegments), track);
        SamplePass(*day.model, *day.catalog, pass.satelliteIndex, day.observer, 0,
                   PassTableTimes(pass, kPassTableStepSeconds, kPassTableMostRows), table);
        benchmark::DoNotOptimize(table.data());
    }
    state.counters["tableRows"] = static_cast<double>(table.size());
}
BENCHMARK(BM_PassChartTrackAndTable)->Unit(benchmark::kMicrosecond);

// One frame's display list at the window's size (the Qt replay is measured
// by vantrek-bench-qt).
void BM_PassChartDisplayList(benchmark::State& state) {
    bench::SearchedDay day;
    const PassChartData data = day.highestPass();
    size_t commands = 0;
    for (auto _ : state) {
        DisplayList list;
        DrawPassChart(list, data, {0, 0, 922, 430});
        commands = list.commands.size();
        benchmark::DoNotOptimize(list.commands.data());
    }
    state.counters["commands"] = static_cast<double>(commands);
}
BENCHMARK(BM_PassChartDisplayList)->Unit(benchmark::kMicrosecond);

}  // namespace
