#pragma once

#include <string>

#include "observe/prediction_results.hpp"

namespace vantrek {

// The six cells of one row of the Predict list.
struct PredictionCells {
    std::string satellite;
    std::string time;
    std::string status;
    std::string magnitude;
    std::string flareAngle;
    std::string index;
};

// "%d-%d-%d %d:%2.2d:%2.2d" of a UTC Julian date shifted by the local time
// offset (days), e.g. "2024-3-5 7:04:09".
std::string PredictionTimeText(double time, double localTimeOffset);

// "YYYY-MM-DD HH:MM:SS" of a Julian date, zero-padded for scripts.
std::string PaddedTimeText(double time);

// The magnitude "%3.1f" for the codes Visible and Flare, otherwise "N/A".
std::string PredictionMagnitudeText(const PredictionRow& row);

// The flare angle in degrees "%2.2f" for the code Flare, otherwise "N/A";
// `degreeSign` appends the list's "°".
std::string PredictionFlareAngleText(const PredictionRow& row, bool degreeSign);

// All six cells. `name` is the element set's name as stored (trailing blanks
// kept); a row inserted by a running search shows it with two more blanks,
// a row listed again when the window reopens without them.
PredictionCells FormatPredictionRow(const PredictionRow& row, const char* name,
                                    double localTimeOffset, bool insertedBySearch);

// The stored row shown at a list position: new rows go on top, so the list is
// in reverse order of storage. -1 for a position outside the list.
int PredictionRowAtListPosition(const PredictionResults& results, int position);

// The search's closing message, "Number of passes %d calculated in %3.2fs".
std::string PassSearchSummaryText(int passes, double seconds);

// The line added to it when the list reached its cap of `maxRows` rows.
std::string PredictionListFullText(int maxRows);

}  // namespace vantrek
