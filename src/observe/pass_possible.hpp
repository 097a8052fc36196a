#pragma once

#include <cstdint>

#include "astro/observer.hpp"
#include "orbit/element_set.hpp"

namespace vantrek {

// 1 when the orbit can bring the satellite above the observer's horizon: its
// inclination plus the Earth-central angle it sees to the horizon from apogee
// exceeds the observer's latitude (retrograde orbits always pass); else 0.
// Reads `meanMotion`, `inclination` and `eccentricity`; a zero mean motion gives 0.
int32_t PassPossible(const ElementSet& set, const Observer& observer);

}  // namespace vantrek
