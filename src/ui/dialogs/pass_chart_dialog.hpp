#pragma once

#include <string>
#include <vector>

#include "platform/program_folder.hpp"
#include "ui/app_state.hpp"
#include "ui/views/pass_chart.hpp"

namespace vantrek {

// The pass chart window: the chart of one pass and its table.
constexpr const char* kPassChartCaption = "Pass of %s";
constexpr int kPassTableColumns = 5;
constexpr const char* kPassTableTitles[kPassTableColumns] = {"Time", "Azimuth", "Elevation", "Range",
                                                             "Downlink"};
constexpr double kPassTableStepSeconds = 30.0;
constexpr int kPassTableMostRows = 3000;  // 25 hours at 30 s
constexpr int kPassChartSegments = 240;   // of the drawn track

// One line of the table, local time.
struct PassTableRow {
    std::string time;       // "21:29:33"
    std::string azimuth;    // "231.4°"
    std::string elevation;  // "2.0°"
    std::string range;      // "2137 km"
    std::string downlink;   // "145.80340 MHz (+3404 Hz)": received, and its shift
};

struct PassChartForm {
    std::string caption;
    PassChartData chart;
    std::vector<PassTableRow> table;
};

// The downlink (MHz) of a satellite: the setting when it is the current one,
// otherwise its line in Frequencies.txt (145.0 MHz without one). `folder`
// may be null: then only the current satellite has its own.
double DownlinkFor(const AppState& state, const ProgramFolder* folder, int32_t catalogNumber);

// The chart of stored row `stored`: its pass, tracked with the settings'
// engine from the program's observer. False (the form emptied) when the row
// has no pass or the catalogue no longer holds the row's satellite.
bool openPassChart(PassChartForm& form, const AppState& state, int stored, double downlinkMHz);

}  // namespace vantrek
