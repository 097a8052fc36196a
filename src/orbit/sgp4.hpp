#pragma once

#include <cstdint>

#include "astro/vector4.hpp"
#include "orbit/element_set.hpp"
#include "orbit/propagator_state.hpp"

namespace vantrek {

// The near-Earth model. `tsince` is in minutes since the element set's epoch;
// position comes out in Earth radii and velocity in Earth radii per minute
// (x, y, z; w untouched). With `initialised` 0 the model first stores this
// element set's constants in `model`; otherwise it reuses the stored ones.
void propagateSgp4(PropagatorState& model, double tsince, const ElementSet& set, Vector4& position,
                   Vector4& velocity, uint8_t initialised);

}  // namespace vantrek
