#pragma once

#include "orbit/propagator_state.hpp"
#include "orbit/sgp8_terms.hpp"

namespace vantrek {

// The drag rates of the full (not simplified) SGP8 drag at epoch: the
// eccentricity's first derivative, the second derivatives of mean motion and
// eccentricity and the third of the mean motion.
struct FullDragRates {
    double edot = 0.0;    // 1/min
    double nddot = 0.0;   // rad/min^3
    double eddot = 0.0;   // 1/min^2
    double ntrdot = 0.0;  // rad/min^4
};

FullDragRates fullDragRates(const DragTerms& terms);

// The power laws that match those rates (and the mean motion's first one).
PowerLawDrag powerLawDrag(double xndt, const FullDragRates& rates);

}  // namespace vantrek
