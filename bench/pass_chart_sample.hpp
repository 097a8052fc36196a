#pragma once

// One real pass to draw, shared by the core and the Qt benchmarks.
#include <memory>

#include "astro/julian_date.hpp"
#include "observe/pass_details.hpp"
#include "observe/pass_search.hpp"
#include "observe/pass_track.hpp"
#include "ui/dialogs/pass_chart_dialog.hpp"
#include "ui/views/pass_chart.hpp"

#include "../tests/support/synthetic_catalog.hpp"

namespace vantrek::bench {

// A day's search over the 400 synthetic sets from the start-up observer:
// the list fills with 301 rows, low orbits mostly, a few 12-hour orbits.
struct SearchedDay {
    std::unique_ptr<SatelliteCatalog> catalog = vantrek::testing::SyntheticCatalog();
    std::unique_ptr<PropagatorState> model = std::make_unique<PropagatorState>();
    std::unique_ptr<PredictionResults> results = std::make_unique<PredictionResults>();
    Observer observer;  // 54.3 N 10.1 E
    PassSearchOptions options;

    SearchedDay() {
        options.start = JulianDateFromEpoch(vantrek::testing::kSyntheticEpoch);
        options.hours = 24.0;
        ElementSet working;
        RunPassSearch(*model, *catalog, working, observer, options, *results);
    }

    // The highest pass of the list with its track, as the chart window has it.
    PassChartData highestPass() {
        std::vector<PassDetails> details;
        ComputePassDetails(*catalog, observer, options, *results, details);
        PassChartData data;
        for (const PassDetails& d : details)
            if (d.valid && d.maxElevation > data.pass.maxElevation) data.pass = d;
        SamplePass(*model, *catalog, data.pass.satelliteIndex, observer, options.engine,
                   EvenPassTimes(data.pass, kPassChartSegments), data.track);
        return data;
    }
};

}  // namespace vantrek::bench
