#include "astro/refraction.hpp"

#include <cmath>

#include "astro/constants.hpp"

namespace vantrek {

namespace {

constexpr double kSaemundssonScale = 0.0002967059728390361;  // 1.02 arcminutes, rad
constexpr double kCentiArcsecond = 4.848136811095361e-8;  // 0.01 arcsecond, rad

double cotangent(double x) { return 1.0 / std::tan(x); }

}  // namespace

void ApplyRefraction(LookAngles& look) {
    const double h = look.elevation;
    // Saemundsson: 1.02' cot(h + 10.3 deg / (h + 5.11 deg)).
    double r = kSaemundssonScale * cotangent(h + 0.179768912955416 / (h / kDegree + 5.11));
    for (int update = 0; update < 10; ++update) {
        const double apparent = h + r;
        // Bennett: cot(a + 7.31 deg / (a + 4.4 deg)) arcminutes, with its small correction.
        const double k = cotangent(apparent + 0.12758356832078552 / (apparent / kDegree + 4.4));
        const double next = (k - 0.06 * std::sin((14.7 * k + 13.0) * kDegree)) * kDegree / 60.0;
        const bool settled = std::fabs(r - next) <= kCentiArcsecond;
        r = next;
        if (settled) break;
    }
    look.elevation = h + r;
}

}  // namespace vantrek
