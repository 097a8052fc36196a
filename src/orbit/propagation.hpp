#pragma once

#include <cstdint>

#include "astro/vector4.hpp"
#include "orbit/element_set.hpp"
#include "orbit/model_selection.hpp"
#include "orbit/propagator_state.hpp"
#include "orbit/sdp4.hpp"
#include "orbit/sdp8.hpp"
#include "orbit/sgp4.hpp"
#include "orbit/sgp8.hpp"

namespace vantrek {

// The engine setting that selects SGP8/SDP8; any other value selects SGP4/SDP4.
constexpr int32_t kEngineSgp8 = 1;

// Position (km) and velocity (km/s) of a satellite at a Julian date, in the
// models' true-equator mean-equinox frame, each with its length in w.
//
// With `initialised` 0 the model flags are cleared, catalogue entry `index` is
// copied into `working`, the model is chosen by period and initialised; with
// any other value `working` and `model` must already belong to this satellite
// and `index` is not used. The epoch's Julian date is worked out at
// initialisation and kept in `model`. No clock is read: a caller that shows
// the cost of a propagation times its own call.
//
// When no finite state results (a mean motion of 0, an eccentricity that
// reaches 1, a date that is not a number) position and velocity are all zero,
// w included, and propagationFailed(position) is true.
void propagateSatellite(PropagatorState& model, const SatelliteCatalog& catalog, double julianDate,
                        ElementSet& working, int index, Vector4& velocity, Vector4& position,
                        uint8_t initialised, int32_t engine);

// True when the position came from a propagation that had no finite result.
bool propagationFailed(const Vector4& position);

}  // namespace vantrek
