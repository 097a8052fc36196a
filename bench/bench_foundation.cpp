// Time conversions and element-set loading.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "astro/julian_date.hpp"
#include "astro/sidereal_time.hpp"
#include "orbit/catalog_loading.hpp"

namespace {

void BM_GreenwichSiderealAngle(benchmark::State& state) {
    double jd = 2460000.25;
    for (auto _ : state) {
        benchmark::DoNotOptimize(vantrek::GreenwichSiderealAngle(jd));
        jd += 1e-4;
    }
}
BENCHMARK(BM_GreenwichSiderealAngle);

void BM_CalendarRoundTrip(benchmark::State& state) {
    double jd = 2460000.25;
    for (auto _ : state) {
        int32_t y, m, d;
        vantrek::CalendarDateFromJulian(jd, y, m, d);
        benchmark::DoNotOptimize(vantrek::JulianDateFromCalendar(y, m, d, 12, 0, 0, 0));
        jd += 0.37;
    }
}
BENCHMARK(BM_CalendarRoundTrip);

void BM_LoadFourHundredSets(benchmark::State& state) {
    std::string text;
    for (int i = 1; i <= 400; ++i) {
        char set[256];
        std::snprintf(set, sizeof set,
                      "SAT %05d\r\n1 %05dU 98067A   08264.51782528 -.00002182  00000-0 -11606-4 0  2927\r\n"
                      "2 %05d  51.6416 247.4627 0006703 130.5360 325.0288 15.72125391563537\r\n",
                      i, i, i);
        text += set;
    }
    auto catalog = std::make_unique<vantrek::SatelliteCatalog>();
    for (auto _ : state) {
        benchmark::DoNotOptimize(vantrek::loadElementSets(*catalog, text.data(), static_cast<long>(text.size())));
    }
}
BENCHMARK(BM_LoadFourHundredSets);

}  // namespace
