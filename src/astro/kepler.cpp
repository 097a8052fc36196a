#include "astro/kepler.hpp"

#include <cmath>

namespace vantrek {

double EccentricAnomaly(double meanAnomaly, double eccentricity) {
    double e = meanAnomaly;
    for (int step = 0; step < 50; ++step) {
        const double residual = e - eccentricity * std::sin(e) - meanAnomaly;
        if (!(std::fabs(residual) > 1e-6)) break;
        e -= residual / (1.0 - eccentricity * std::cos(e));
    }
    return e;
}

}  // namespace vantrek
