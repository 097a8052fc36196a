#pragma once

#include <cstdint>

#include "data/settings.hpp"
#include "platform/program_folder.hpp"

namespace vantrek {

// Both link frequencies before the file is consulted, MHz.
constexpr double kDefaultLinkFrequency = 145.0;

// Sets `uplink` and `downlink` for a satellite from Frequencies.txt in the
// program folder: a header line, then lines "catalogue downlink uplink" (MHz).
// Starts from 145.0 MHz for both; the last line with the catalogue number wins.
// A missing file or an unreadable line is silent. Lines are read in pieces of
// at most 29 bytes (the header 19), each piece counting as a line.
void LoadFrequencies(const ProgramFolder& folder, int32_t catalogNumber, Settings& settings);

}  // namespace vantrek
