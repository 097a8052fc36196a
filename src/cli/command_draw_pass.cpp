// `vantrek-cli draw pass`: the pass chart of one satellite's next pass.
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "cli/cli_support.hpp"
#include "observe/pass_details.hpp"
#include "observe/pass_search.hpp"
#include "observe/pass_track.hpp"
#include "ui/dialogs/pass_chart_dialog.hpp"
#include "ui/views/pass_chart.hpp"

namespace vantrek::cli {

int drawPassChart(AppState& state, int index, double jd, Rect client, long repeat) {
    auto catalog = std::make_unique<SatelliteCatalog>(state.catalog);
    for (std::size_t i = 0; i < catalog->selected.size(); ++i) catalog->selected[i] = static_cast<int>(i) == index ? 1 : 0;
    PassSearchOptions options;
    options.start = jd;
    options.hours = 24.0;
    options.limits.satelliteElevation = state.settings.Sat_ele;
    options.limits.sunElevation = state.settings.Sun_ele;
    options.engine = state.settings.s4_s8;
    auto model = std::make_unique<PropagatorState>();
    auto results = std::make_unique<PredictionResults>();
    ElementSet working;
    RunPassSearch(*model, *catalog, working, state.observer, options, *results);

    PassChartData data;  // times in UTC
    if (results->count < 1 ||
        !FindPassDetails(*model, *catalog, index, state.observer, options, results->rows[0].time, data.pass) ||
        !SamplePass(*model, *catalog, index, state.observer, options.engine,
                    EvenPassTimes(data.pass, kPassChartSegments), data.track)) {
        std::fprintf(stderr, "vantrek-cli: set %d has no pass in the 24 hours from the time\n", index);
        return 2;
    }
    if (repeat > 0) {
        const auto start = std::chrono::steady_clock::now();
        for (long i = 0; i < repeat; ++i) {
            DisplayList list;
            DrawPassChart(list, data, client);
        }
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        std::printf("frames %ld in %.6f s\n", repeat, took.count());
        return 0;
    }
    DisplayList list;
    DrawPassChart(list, data, client);
    printDisplayList(list);
    return 0;
}

}  // namespace vantrek::cli
