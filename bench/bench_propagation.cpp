// The orbit models through the propagation front end.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

#include "astro/constants.hpp"
#include "astro/julian_date.hpp"
#include "orbit/propagation.hpp"
#include "orbit/catalog_loading.hpp"

namespace {

using vantrek::ElementSet;

ElementSet elementSet(double epoch, double inclinationDeg, double raanDeg, double eccentricity,
                      double argPerigeeDeg, double meanAnomalyDeg, double revPerDay, double bstar) {
    ElementSet set;
    set.epoch = epoch;
    set.inclination = inclinationDeg * vantrek::kDegree;
    set.raan = raanDeg * vantrek::kDegree;
    set.eccentricity = eccentricity;
    set.argPerigee = argPerigeeDeg * vantrek::kDegree;
    set.meanAnomaly = meanAnomalyDeg * vantrek::kDegree;
    set.meanMotion = revPerDay * vantrek::kRevPerDayToRadPerMin;
    set.bstar = bstar;
    set.catalogNumber = 1;
    return set;
}

// 0 near-Earth, 1 deep space without resonance, 2 the 12-hour resonance, 3 the 24-hour one,
// 4 near-Earth with drag enough for SGP8's full drag.
std::unique_ptr<vantrek::SatelliteCatalog> benchCatalog() {
    auto catalog = std::make_unique<vantrek::SatelliteCatalog>();
    vantrek::resizeCatalog(*catalog, 5);
    catalog->entries[0] = elementSet(80275.98708465, 72.8435, 115.9689, 0.0086731, 52.6988, 110.5714, 16.05824518, 6.6816e-5);
    catalog->entries[1] = elementSet(80230.29629788, 46.7916, 230.4354, 0.7318036, 47.4722, 10.4117, 2.28537848, 0.014311);
    catalog->entries[2] = elementSet(26340.5, 63.4, 250.0, 0.71, 270.0, 10.0, 2.006, 0.0);
    catalog->entries[3] = elementSet(26340.5, 0.05, 90.0, 0.00003, 0.0, 10.0, 1.0027, 0.0);
    catalog->entries[4] = elementSet(80275.98708465, 72.8435, 115.9689, 0.0086731, 52.6988, 110.5714, 16.05824518, 2.0e-3);
    return catalog;
}

// One satellite of the bench catalogue through the front end; the benchmark's
// arguments are the catalogue entry and the engine setting.
struct FrontEndCase {
    explicit FrontEndCase(const benchmark::State& state)
        : catalog(benchCatalog()),
          index(static_cast<int>(state.range(0))),
          engine(static_cast<int32_t>(state.range(1))),
          epoch(vantrek::JulianDateFromEpoch(catalog->entries[index].epoch)) {}

    void propagate(double jd, uint8_t initialised) {
        vantrek::propagateSatellite(model, *catalog, jd, working, index, velocity, position, initialised, engine);
    }

    std::unique_ptr<vantrek::SatelliteCatalog> catalog;
    int index;
    int32_t engine;
    double epoch;
    vantrek::PropagatorState model;
    ElementSet working;
    vantrek::Vector4 position, velocity;
};

// One call with the flag 1 per iteration, the time moving on by 0.1 minute.
// Arguments: the catalogue entry and the engine setting (0 SGP4/SDP4, 1 SGP8/SDP8).
void BM_PropagateFollowing(benchmark::State& state) {
    FrontEndCase c(state);
    double jd = c.epoch;
    c.propagate(jd, 0);
    for (auto _ : state) {
        jd += 0.1 / 1440.0;
        c.propagate(jd, 1);
        benchmark::DoNotOptimize(c.position);
    }
}
BENCHMARK(BM_PropagateFollowing)
    ->ArgNames({"set", "engine"})
    ->ArgsProduct({{0, 1, 2, 3}, {0, vantrek::kEngineSgp8}});

// One initialisation and propagation (the flag 0) per iteration; arguments as above.
void BM_PropagateInitialising(benchmark::State& state) {
    FrontEndCase c(state);
    const double jd = c.epoch + 0.25;
    for (auto _ : state) {
        c.propagate(jd, 0);
        benchmark::DoNotOptimize(c.position);
    }
}
BENCHMARK(BM_PropagateInitialising)
    ->ArgNames({"set", "engine"})
    ->ArgsProduct({{0, 1, 2}, {0, vantrek::kEngineSgp8}})
    ->Args({4, vantrek::kEngineSgp8});

// The near-Earth model alone, without the front end.
void BM_Sgp4ModelOnly(benchmark::State& state) {
    const auto catalog = benchCatalog();
    vantrek::PropagatorState model;
    vantrek::Vector4 position, velocity;
    vantrek::propagateSgp4(model, 0.0, catalog->entries[0], position, velocity, 0);
    double t = 0.0;
    for (auto _ : state) {
        t += 0.1;
        vantrek::propagateSgp4(model, t, catalog->entries[0], position, velocity, 1);
        benchmark::DoNotOptimize(position);
    }
}
BENCHMARK(BM_Sgp4ModelOnly);

// SGP8 alone, with the simplified drag (set 0) or the full drag (set 4); the
// time runs round the first 12 hours, inside the heavy set's decay time.
void BM_Sgp8ModelOnly(benchmark::State& state) {
    const auto catalog = benchCatalog();
    const ElementSet& set = catalog->entries[state.range(0)];
    vantrek::PropagatorState model;
    vantrek::Vector4 position, velocity;
    vantrek::propagateSgp8(model, 0.0, set, position, velocity, 0);
    double t = 0.0;
    for (auto _ : state) {
        t = t >= 720.0 ? 0.0 : t + 0.1;
        vantrek::propagateSgp8(model, t, set, position, velocity, 1);
        benchmark::DoNotOptimize(position);
    }
}
BENCHMARK(BM_Sgp8ModelOnly)->ArgName("set")->Arg(0)->Arg(4);

}  // namespace
