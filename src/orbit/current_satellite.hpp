#pragma once

#include "data/settings.hpp"
#include "orbit/element_set.hpp"
#include "platform/program_folder.hpp"

namespace vantrek {

// `count` kept within the sets and flags the catalogue holds, for loops over
// loaded slots.
int loadedSatelliteCount(const SatelliteCatalog& catalog);

// Copies entry `current` into the working set and looks up its link
// frequencies in Frequencies.txt (145.0 MHz when it has none).
void loadCurrentSatellite(SatelliteCatalog& catalog, const ProgramFolder& folder, Settings& settings);

// The first shown slot after `current` (up to count - 1), or -1.
int findNextSelected(const SatelliteCatalog& catalog);

// The nearest shown slot before `current` (down to 0), or -1.
int findPreviousSelected(const SatelliteCatalog& catalog);

// The Down and Up keys: make the next (previous) shown satellite current if
// there is one, then load the current one whether it moved or not. True when
// it moved.
bool stepToNextSelected(SatelliteCatalog& catalog, const ProgramFolder& folder, Settings& settings);
bool stepToPreviousSelected(SatelliteCatalog& catalog, const ProgramFolder& folder, Settings& settings);

}  // namespace vantrek
