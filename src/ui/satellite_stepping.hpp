#pragma once

#include "orbit/element_set.hpp"

namespace vantrek {

// Makes `current` the next shown satellite after it (up to count - 1), or the
// nearest shown one before it (down to 0). Returns false, leaving `current`
// alone, when there is none.
bool StepToNextShown(SatelliteCatalog& catalog);
bool StepToPreviousShown(SatelliteCatalog& catalog);

}  // namespace vantrek
