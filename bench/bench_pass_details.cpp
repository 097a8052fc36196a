// Pass details after a search, and the pass chart.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "astro/julian_date.hpp"
#include "observe/pass_details.hpp"
#include "observe/pass_search.hpp"

#include "../tests/support/synthetic_catalog.hpp"

namespace {

using namespace vantrek;

// A day's search over the 400 synthetic sets: the list fills with 301 rows,
// low orbits mostly, a few 12-hour navigation orbits.
struct SearchedDay {
    std::unique_ptr<SatelliteCatalog> catalog = vantrek::testing::SyntheticCatalog();
    std::unique_ptr<PropagatorState> model = std::make_unique<PropagatorState>();
    std::unique_ptr<PredictionResults> results = std::make_unique<PredictionResults>();
    Observer observer;  // the start-up observer, 54.3 N 10.1 E
    PassSearchOptions options;

    SearchedDay() {
        options.start = JulianDateFromEpoch(vantrek::testing::kSyntheticEpoch);
        options.hours = 24.0;
        ElementSet working;
        RunPassSearch(*model, *catalog, working, observer, options, *results);
    }
};

void BM_PassDetailsForAFullList(benchmark::State& state) {
    SearchedDay day;
    std::vector<PassDetails> details;
    for (auto _ : state) {
        ComputePassDetails(*day.model, *day.catalog, day.observer, day.options, *day.results, details);
        benchmark::DoNotOptimize(details.data());
    }
    int visible = 0;
    for (const PassDetails& d : details) visible += d.visible;
    state.counters["rows"] = day.results->count;
    state.counters["visible"] = visible;
}
BENCHMARK(BM_PassDetailsForAFullList)->Unit(benchmark::kMillisecond);

}  // namespace
