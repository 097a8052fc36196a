#pragma once

#include <cstdint>

#include "astro/vector4.hpp"
#include "orbit/element_set.hpp"
#include "orbit/propagator_state.hpp"

namespace vantrek {

// The alternative deep-space model: SGP8's gravity, simplified drag and
// short-period terms with the lunar-solar and resonance terms of the
// deep-space module. Units and the `initialised` protocol are those of
// propagateSgp4.
void propagateSdp8(PropagatorState& model, double tsince, const ElementSet& set, Vector4& position,
                   Vector4& velocity, uint8_t initialised);

}  // namespace vantrek
