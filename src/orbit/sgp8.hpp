#pragma once

#include <cstdint>

#include "astro/vector4.hpp"
#include "orbit/element_set.hpp"
#include "orbit/propagator_state.hpp"

namespace vantrek {

// The alternative near-Earth model, with drag laws fitted to the drag's
// derivatives at epoch. Units and the `initialised` protocol are those of
// propagateSgp4.
void propagateSgp8(PropagatorState& model, double tsince, const ElementSet& set, Vector4& position,
                   Vector4& velocity, uint8_t initialised);

}  // namespace vantrek
