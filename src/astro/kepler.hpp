#pragma once

namespace vantrek {

// Eccentric anomaly E with E - e sin E = meanAnomaly (rad), by Newton's method
// from E = meanAnomaly until the residual is 1e-6 rad or less. The step bound
// only guards against a non-finite argument; e below 0.25 converges in a few.
double EccentricAnomaly(double meanAnomaly, double eccentricity);

}  // namespace vantrek
