#pragma once

#include <string>

#include "orbit/element_set.hpp"

namespace vantrek {

// Element sets further than this from the clock give positions off by
// hundreds of kilometres for low orbits: predictions from them mislead.
constexpr double kStaleElementDays = 14.0;

// How old the element sets the user is looking at are, in whole days from
// `now` (a Julian date): the current satellite's when its set is stale, else
// the median age of the shown sets when more than half of them are stale; -1
// when neither is (or nothing real is loaded: the placeholder has no epoch).
int StaleElementDays(const SatelliteCatalog& catalog, double now);

// "Element sets are N days old; predictions are unreliable."
std::string StaleElementsText(int days);

}  // namespace vantrek
