#include "observe/pass_search_options.hpp"

#include <algorithm>
#include <iterator>

#include "astro/constants.hpp"

namespace vantrek {

namespace {

bool within(double value, double low, double high) { return value >= low && value <= high; }

// Iridium numbers whose mirrors no longer track (sorted).
constexpr int32_t kFlareExclusionList[] = {24836, 24841, 24842, 24870, 24871, 24873,
                                           24925, 24926, 24967, 25043, 25078, 25105,
                                           25319, 25320, 25344, 25527};

}  // namespace

PassSearchOptions CheckedPassSearchOptions(const PassSearchOptions& options) {
    PassSearchOptions checked = options;
    if (!within(checked.minimumMagnitude, 0.0, 20.0)) checked.minimumMagnitude = 20.0;
    if (!within(checked.hours, 0.0, 100.0)) checked.hours = 1.0;
    if (!within(checked.limits.satelliteElevation, 0.0, kHalfPi)) {
        checked.limits.satelliteElevation = 0.0;
    }
    if (!within(checked.limits.sunElevation, -kHalfPi, kHalfPi)) checked.limits.sunElevation = 0.0;
    checked.maxRows = std::clamp(checked.maxRows, 1, kPredictionRowLimit);
    return checked;
}

bool IsFlareExcluded(int32_t catalogNumber) {
    return std::binary_search(std::begin(kFlareExclusionList), std::end(kFlareExclusionList),
                              catalogNumber);
}

}  // namespace vantrek
