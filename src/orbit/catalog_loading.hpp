#pragma once

#include "orbit/element_set.hpp"

namespace vantrek {

// The most bytes of an element-set file that are read; 400 sets of three lines.
constexpr long kElementFileMaxBytes = 74001;

// Replaces the catalogue with the element sets of a three-line buffer: every
// `selected` flag is cleared, sets are read until a line is missing or a
// catalogue number is 0 (the sets before it are kept), at most 400, and every
// loaded set is selected. `current` is left as it is. A buffer of more than
// 400 x 185 bytes is cut to its first 74,000. Returns the number loaded.
int loadElementSets(SatelliteCatalog& catalog, const char* buffer, long length);

// Copies entry `index` into `record` (the element fields, numbers and name)
// and sets its period to 0; `meanMotionDDot` and `deepSpace` are not copied.
// An index outside the catalogue leaves the record unchanged.
void loadWorkingElementSet(const SatelliteCatalog& catalog, int index, ElementSet& record);

// The start-up state: "No satellite " with every number 0 in slot 0, shown.
void loadPlaceholderElementSet(SatelliteCatalog& catalog);

}  // namespace vantrek
