#pragma once

#include <string>

#include "orbit/element_set.hpp"

namespace vantrek {

// Reads a downloaded answer into the catalogue, replacing it, and returns the
// number of sets loaded (an answer without sets leaves the catalogue as it
// was). Every download and every saved copy goes through here, so this is
// where another answer format is recognised.
int readDownloadedSets(SatelliteCatalog& catalog, const std::string& answer);

}  // namespace vantrek
