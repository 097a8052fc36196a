#pragma once

#include <cmath>

namespace vantrek {

// sin and cos of x + d from those of x: the models' periodic corrections and
// Newton's last steps are small angles, whose sine and cosine a short series
// gives to the last bit far more cheaply than the library.
inline void sinCosOfSum(double sinX, double cosX, double d, double& sinSum, double& cosSum) {
    double sd = 0.0;
    double cd = 0.0;
    if (std::fabs(d) < 0.05) {  // the next terms are below 1e-19
        const double d2 = d * d;
        sd = d * (1.0 - d2 / 6.0 * (1.0 - d2 / 20.0 * (1.0 - d2 / 42.0 * (1.0 - d2 / 72.0))));
        cd = 1.0 - d2 / 2.0 * (1.0 - d2 / 12.0 * (1.0 - d2 / 30.0 * (1.0 - d2 / 56.0)));
    } else {
        sd = std::sin(d);
        cd = std::cos(d);
    }
    sinSum = sinX * cd + cosX * sd;
    cosSum = cosX * cd - sinX * sd;
}

}  // namespace vantrek
