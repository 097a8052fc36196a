#include "orbit/kepler_solution.hpp"

#include <cmath>

#include "orbit/angle_sum.hpp"

namespace vantrek {

namespace {

constexpr int kReportPasses = 11;
constexpr int kLimitedPasses = 80;  // halving a bracket of width 2 below 1e-12 takes 41

}  // namespace

KeplerRoot solveKepler(double start, double capu, double axn, double ayn, double tolerance,
                       KeplerFallback fallback) {
    // The root lies within e of capu; below e = 1 the left side grows with x.
    const bool bracketed = axn * axn + ayn * ayn < 1.0;
    double low = capu - 1.0;
    double high = capu + 1.0;
    bool limited = false;
    double estimate = start;
    KeplerRoot from{start, std::sin(start), std::cos(start)};  // the estimate the last pass started from
    for (int pass = 0; pass < (limited ? kLimitedPasses : kReportPasses); ++pass) {
        if (pass > 0) {
            const double d = estimate - from.x;
            sinCosOfSum(from.sinX, from.cosX, d, from.sinX, from.cosX);
            from.x = estimate;
        }
        const double residual = capu - ayn * from.cosX + axn * from.sinX - estimate;
        const double step = residual / (1.0 - axn * from.cosX - ayn * from.sinX);
        if (std::fabs(step) <= tolerance) return from;
        double next = step + estimate;
        if (bracketed) {
            // Each estimate lies below or above the root; a step past one
            // already known to be beyond the root is a diverging one.
            if (residual > 0.0) {
                if (estimate > low) low = estimate;
            } else if (estimate < high) {
                high = estimate;
            }
            if (!(next > low && next < high)) {
                next = 0.5 * (low + high);
                limited = true;
            }
        }
        estimate = next;
    }
    if (fallback == KeplerFallback::LastPassStart) return from;
    return {estimate, std::sin(estimate), std::cos(estimate)};
}

}  // namespace vantrek
