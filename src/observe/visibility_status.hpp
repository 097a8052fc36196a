#pragma once

#include <cstdint>

#include "astro/observer.hpp"
#include "astro/vector4.hpp"
#include "observe/iridium_flare.hpp"
#include "observe/pass_search_options.hpp"
#include "orbit/element_set.hpp"
#include "orbit/propagator_state.hpp"

namespace vantrek {

// How the satellite can be seen at `jd`: a visibility code (see
// visibility_code.hpp), or kVisibilityCannotPropagate when the model gives no
// position. `reload` 0 loads catalogue entry `index` into `working` and
// initialises the model; non-zero continues with the satellite already there.
// The Sun and the observer are worked out only for a satellite above the
// elevation limit. `magnitude` is 100 unless the satellite is sunlit against a
// dark sky: then it is the brightness estimate (normal mode) or the flare
// magnitude (flareMode = 1, which also fills `flare` and gives Flare only for a
// mirror strictly within 5 degrees). `position` and `velocity` (may be null)
// receive the propagated state, km and km/s.
int16_t VisibilityStatus(PropagatorState& model, const SatelliteCatalog& catalog, double jd,
                         ElementSet& working, int index, Observer& observer, uint8_t reload,
                         const VisibilityLimits& limits, int32_t engine, int32_t flareMode,
                         double& magnitude, FlareResult& flare, Vector4* position = nullptr,
                         Vector4* velocity = nullptr);

}  // namespace vantrek
