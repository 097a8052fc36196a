#pragma once

#include <string>
#include <vector>

#include "observe/pass_details.hpp"
#include "platform/message_sink.hpp"
#include "ui/app_state.hpp"

namespace vantrek {

// "Save passes..." of the Predict window: the listed passes as a calendar
// or a CSV table, chosen by the file's name.
constexpr const char* kSavePassesButton = "Save passes...";
constexpr const char* kSavePassesCaption = "Save passes";
constexpr const char* kCalendarFilesFilter = "Calendar (*.ics)";
constexpr const char* kCsvFilesFilter = "CSV table (*.csv)";
constexpr const char* kNoPassesToSaveText = "No passes to save.";
constexpr const char* kCantSavePassesText = "I can't save the passes to %s";

// The passes of the stored rows that have one, in the rows' order.
std::vector<PassDetails> PassesOfStoredRows(const AppState& state);

// Writes the listed passes to `path` (.ics a calendar, anything else CSV),
// `stamp` being the time of writing (UTC Julian date). With no pass to write
// it says so and writes nothing; a file that cannot be written is reported
// and the old one, if any, stays. True when the file was written.
bool savePredictedPasses(const AppState& state, const std::string& path, double stamp, MessageSink& messages);

}  // namespace vantrek
