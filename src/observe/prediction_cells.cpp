#include "observe/prediction_cells.hpp"

#include <algorithm>
#include <cstdio>

#include "astro/constants.hpp"
#include "astro/julian_date.hpp"
#include "observe/visibility_code.hpp"

namespace vantrek {

std::string PredictionTimeText(double time, double localTimeOffset) {
    const CalendarInstant c = CalendarInstantFromJulian(time + localTimeOffset);
    char text[64];
    std::snprintf(text, sizeof text, "%d-%d-%d %d:%2.2d:%2.2d", c.year, c.month, c.day, c.hour,
                  c.minute, c.second);
    return text;
}

std::string PaddedTimeText(double time) {
    const CalendarInstant c = CalendarInstantFromJulian(time);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", c.year, c.month, c.day,
                  c.hour, c.minute, c.second);
    return text;
}

std::string PredictionMagnitudeText(const PredictionRow& row) {
    if (row.code != kVisibilityVisible && row.code != kVisibilityFlare) return "N/A";
    char text[32];
    std::snprintf(text, sizeof text, "%3.1f", row.magnitude);
    return text;
}

std::string PredictionFlareAngleText(const PredictionRow& row, bool degreeSign) {
    if (row.code != kVisibilityFlare) return "N/A";
    char text[32];
    std::snprintf(text, sizeof text, degreeSign ? "%2.2f\u00b0" : "%2.2f", row.flareAngle / kDegree);
    return text;
}

PredictionCells FormatPredictionRow(const PredictionRow& row, const char* name,
                                    double localTimeOffset, bool insertedBySearch) {
    PredictionCells cells;
    cells.satellite = name;
    if (insertedBySearch) cells.satellite += "  ";
    cells.time = PredictionTimeText(row.time, localTimeOffset);
    cells.status = VisibilityWord(row.code);
    cells.magnitude = PredictionMagnitudeText(row);
    cells.flareAngle = PredictionFlareAngleText(row, true);
    cells.index = std::to_string(row.satelliteIndex);
    return cells;
}

int PredictionRowAtListPosition(const PredictionResults& results, int position) {
    const int count = std::min(results.count, static_cast<int>(results.rows.size()));
    if (position < 0 || position >= count) return -1;
    return count - 1 - position;
}

std::string PassSearchSummaryText(int passes, double seconds) {
    char text[96];
    std::snprintf(text, sizeof text, "Number of passes %d calculated in %3.2fs", passes, seconds);
    return text;
}

std::string PredictionListFullText(int maxRows) {
    return "The list is full at " + std::to_string(maxRows) +
           " rows: later passes were not listed. Search a shorter period or fewer satellites.";
}

}  // namespace vantrek
