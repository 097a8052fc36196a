// The pass chart painted as the window paints it: the core's display list
// replayed onto an image of the chart's size (offscreen platform).
#include <benchmark/benchmark.h>

#include <QImage>

#include "app/display_list_painter.hpp"

#include "../pass_chart_sample.hpp"

namespace {

using namespace vantrek;

void BM_PassChartPaint(benchmark::State& state) {
    bench::SearchedDay day;
    const PassChartData data = day.highestPass();
    QImage image(922, 430, QImage::Format_RGB32);
    for (auto _ : state) {
        DisplayList list;
        list.surfaceWidth = image.width();
        list.surfaceHeight = image.height();
        DrawPassChart(list, data, {0, 0, image.width(), image.height()});
        app::ReplayTargets targets;
        targets.backBuffer = &image;
        app::ReplayDisplayList(list, targets);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_PassChartPaint)->Unit(benchmark::kMillisecond);

}  // namespace
