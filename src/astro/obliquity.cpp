#include "astro/obliquity.hpp"

namespace vantrek {

double MeanObliquity(double jd) {
    constexpr double kArcsecond = 4.84813681109536e-6;  // rad
    const double u = (jd - 2451545.0) / 36525.0 / 10.0;
    // Coefficients in arcseconds, highest power first, for Horner's rule.
    constexpr double kCoefficients[] = {2.45e-10, 5.79e-9,    2.787e-7, 7.12e-7, -3.905e-5, -0.0024967,
                                        -0.005138, 1.9989,    -0.0175,  -468.3396, 84381.406173};
    double arcseconds = 0.0;
    for (double c : kCoefficients) arcseconds = arcseconds * u + c;
    return arcseconds * kArcsecond;
}

}  // namespace vantrek
