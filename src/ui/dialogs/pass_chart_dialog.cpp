#include "ui/dialogs/pass_chart_dialog.hpp"

#include <cstdio>
#include <memory>

#include "astro/constants.hpp"
#include "astro/julian_date.hpp"
#include "data/doppler.hpp"
#include "data/frequencies.hpp"
#include "observe/pass_detail_cells.hpp"
#include "orbit/current_satellite.hpp"
#include "ui/text_format.hpp"

namespace vantrek {

namespace {

PassTableRow tableRow(const PassTrackPoint& p, double downlinkMHz, double localTimeOffset) {
    const CalendarInstant c = CalendarInstantFromJulian(NearestSecond(p.t) + localTimeOffset);
    char time[32];
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", c.hour, c.minute, c.second);
    const DopplerShift shift = computeDoppler(p.range, p.rangeRate, downlinkMHz, downlinkMHz);
    char downlink[64];
    std::snprintf(downlink, sizeof downlink, "%.5f MHz (%+.0f Hz)", shift.receivedDownlink, shift.downlinkShift);
    return {time, FormatNumber("%.1f\u00b0", AzimuthDegrees(p.azimuth, 1)), FormatNumber("%.1f\u00b0", p.elevation / kDegree),
            FormatNumber("%.0f km", p.range), downlink};
}

}  // namespace

double DownlinkFor(const AppState& state, const ProgramFolder* folder, int32_t catalogNumber) {
    if (state.catalog.currentSet.catalogNumber == catalogNumber) return state.settings.downlink;
    if (folder == nullptr) return kDefaultLinkFrequency;
    Settings looked = state.settings;
    LoadFrequencies(*folder, catalogNumber, looked);
    return looked.downlink;
}

bool openPassChart(PassChartForm& form, const AppState& state, int stored, double downlinkMHz) {
    form = PassChartForm{};
    const PassDetails* pass = PassDetailsOfRow(state.passDetails, state.predictions, stored);
    if (pass == nullptr || !pass->valid) return false;
    const int index = pass->satelliteIndex;
    // The catalogue may have been replaced since the search.
    if (index < 0 || index >= loadedSatelliteCount(state.catalog) ||
        state.catalog.entries[index].catalogNumber != pass->catalogNumber) {
        return false;
    }
    auto model = std::make_unique<PropagatorState>();
    Observer observer = state.observer;
    const int32_t engine = state.settings.s4_s8;
    std::vector<PassTrackPoint> rows;
    if (!SamplePass(*model, state.catalog, index, observer, engine, EvenPassTimes(*pass, kPassChartSegments),
                    form.chart.track) ||
        !SamplePass(*model, state.catalog, index, observer, engine,
                    PassTableTimes(*pass, kPassTableStepSeconds, kPassTableMostRows), rows)) {
        form = PassChartForm{};
        return false;
    }
    form.chart.pass = *pass;
    form.chart.localTimeOffset = state.localTimeOffset;
    char caption[128];
    std::snprintf(caption, sizeof caption, kPassChartCaption, pass->name.c_str());
    form.caption = caption;
    for (const PassTrackPoint& p : rows) form.table.push_back(tableRow(p, downlinkMHz, state.localTimeOffset));
    return true;
}

}  // namespace vantrek
