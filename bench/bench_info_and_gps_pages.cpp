// One paint of the information panel (both engines compared) and of the GPS page.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "gps/read_sentence.hpp"
#include "orbit/catalog_loading.hpp"
#include "platform/byte_source.hpp"
#include "ui/main_window.hpp"
#include "ui/views/gps_status_view.hpp"
#include "ui/views/info_panel.hpp"

namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The sample sets with the ISS current, and the shipped receiver capture in the fix.
std::unique_ptr<vantrek::AppState> pageWorld() {
    auto state = std::make_unique<vantrek::AppState>();
    vantrek::StartUpDefaults(*state);
    const std::string sets = readFile(std::string(VANTREK_TESTS_DIR) + "/data/sample.tle");
    vantrek::loadElementSets(state->catalog, sets.data(), static_cast<long>(sets.size()));
    const std::string capture =
        readFile(std::string(VANTREK_RES_DIR) + "/../data/reference/nmea/haicom-305N.log");
    vantrek::MemoryByteSource source(capture.data(), static_cast<long>(capture.size()));
    while (!source.atEnd()) vantrek::ReadSentence(source, state->gps);
    state->clock.currentDate = 2454730.266;  // 2008-09-20 18:23, near the ISS set's epoch
    return state;
}

void BM_InfoPanelFrame(benchmark::State& state) {
    auto world = pageWorld();
    world->settings.sgp8Comparison = 1;
    for (auto _ : state) {
        vantrek::DisplayList list;
        vantrek::PaintInfoPanel(*world, list, {0, 0, 1280, 800});
        benchmark::DoNotOptimize(list.commands.data());
        world->clock.currentDate += 5.787e-6;  // half a second
    }
}
BENCHMARK(BM_InfoPanelFrame)->Unit(benchmark::kMicrosecond);

void BM_GpsStatusFrame(benchmark::State& state) {
    auto world = pageWorld();
    world->gps.trackingEnabled = true;
    const vantrek::LocalClockTime utc{2008, 9, 20, 18, 23, 0, 0};
    for (auto _ : state) {
        vantrek::DisplayList list;
        vantrek::PaintGpsStatus(*world, list, {0, 0, 1280, 800}, utc);
        benchmark::DoNotOptimize(list.commands.data());
    }
}
BENCHMARK(BM_GpsStatusFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
