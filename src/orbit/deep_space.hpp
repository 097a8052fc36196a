#pragma once

#include "orbit/element_set.hpp"
#include "orbit/model_selection.hpp"
#include "orbit/propagator_state.hpp"

namespace vantrek {

// Entries of the deep-space module.
constexpr int kDeepSpaceInitialise = 1;  // lunar-solar coefficients and resonance set-up
constexpr int kDeepSpaceSecular = 2;     // secular terms and the resonance integration
constexpr int kDeepSpacePeriodic = 3;    // lunar-solar periodic terms

// The lunar-solar and resonance effects of the deep-space models. Entry 1
// reads the element set's epoch and angular elements and the first thirteen
// exchange fields and initialises `model.deepSpace`; entries 2 and 3 update
// xll, omgasm, xnodes, em, xinc and xn of the exchange record in place for
// the time `exchange.t`. Other entry numbers do nothing.
void deepSpaceTerms(PropagatorState& model, int entry, const ElementSet& set, DeepSpaceExchange& exchange);

// Fills the thirteen epoch fields of the exchange record that a deep-space
// model hands the module before entry 1: the element set's inclination and
// perigee functions, the recovered axis and mean motion, and the model's
// secular rates of mean anomaly, perigee and node (rad/min).
void fillEpochExchange(DeepSpaceExchange& exchange, const ElementSet& set, const RecoveredElements& recovered,
                       double xlldot, double omgdt, double xnodot);

}  // namespace vantrek
