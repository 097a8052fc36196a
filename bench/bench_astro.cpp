// Per-paint astronomy: look angles, the star scan, Sun, Moon and planets, and
// the space view's per-tick snapshot.
#include <benchmark/benchmark.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "astro/look_angles.hpp"
#include "astro/moon.hpp"
#include "astro/moon_phase.hpp"
#include "astro/planets.hpp"
#include "astro/stars.hpp"
#include "astro/sun.hpp"
#include "orbit/catalog_loading.hpp"
#include "ui/space_view_snapshot.hpp"

namespace {

void BM_ComputeLookAngles(benchmark::State& state) {
    vantrek::Observer observer;
    vantrek::LookAngles look;
    const vantrek::Vector4 velocity{1.0, 7.0, 2.0, 0.0};
    double jd = 2460000.25;
    for (auto _ : state) {
        const vantrek::Vector4 position{4000.0 + jd - 2460000.0, 3000.0, 4500.0, 0.0};
        benchmark::DoNotOptimize(vantrek::ComputeLookAngles(jd, position, velocity, observer, look, 1, 1));
        jd += 1e-5;
    }
}
BENCHMARK(BM_ComputeLookAngles);

// One night sky: all 1630 stars through StarHorizon with refraction.
void BM_StarScan(benchmark::State& state) {
    vantrek::Observer observer;
    vantrek::StoreLatitudeTrig(observer);
    double lst = 0.0;
    for (auto _ : state) {
        const double s = std::sin(lst), c = std::cos(lst);
        int up = 0;
        for (int i = 0; i < vantrek::kStarCount; ++i) {
            vantrek::LookAngles look;
            vantrek::StarHorizon(s, c, vantrek::StarCatalog[i], observer, 1, look);
            up += look.elevation > 0.0;
        }
        benchmark::DoNotOptimize(up);
        lst += 0.01;
    }
}
BENCHMARK(BM_StarScan);

void BM_SunMoonPlanets(benchmark::State& state) {
    vantrek::Observer observer;
    double jd = 2460000.25;
    for (auto _ : state) {
        vantrek::Vector4 v;
        vantrek::SunPosition(jd, v);
        vantrek::MoonHorizon horizon;
        vantrek::MoonEquatorial equatorial;
        vantrek::MoonPosition(jd - vantrek::kMoonEpochJulianDate, observer, horizon, equatorial);
        vantrek::MoonPhaseFigures phase;
        vantrek::MoonPhase(jd, phase);
        for (int16_t code = 0; code <= 8; ++code) vantrek::PlanetHeliocentric(jd, code, v);
        benchmark::DoNotOptimize(v);
        jd += 1e-3;
    }
}
BENCHMARK(BM_SunMoonPlanets);

// One space-view tick with the sample sets, planets and rings on (rings cached).
void BM_SpaceViewSnapshot(benchmark::State& state) {
    auto catalog = std::make_unique<vantrek::SatelliteCatalog>();
    std::ifstream in(std::string(VANTREK_TESTS_DIR) + "/data/sample.tle", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    vantrek::loadElementSets(*catalog, bytes.data(), static_cast<long>(bytes.size()));
    auto model = std::make_unique<vantrek::PropagatorState>();
    auto snapshot = std::make_unique<vantrek::SpaceViewSnapshot>();
    vantrek::Observer observer;
    double jd = 2461381.0;  // near the demonstration sets' epoch
    for (auto _ : state) {
        vantrek::takeSpaceViewSnapshot(jd, true, 0, *catalog, observer, *model, *snapshot);
        benchmark::DoNotOptimize(snapshot->currentOrbitCount);
        jd += 5.787e-6;  // half a second
    }
}
BENCHMARK(BM_SpaceViewSnapshot);

}  // namespace
