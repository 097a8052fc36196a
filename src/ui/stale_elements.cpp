#include "ui/stale_elements.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

#include "astro/julian_date.hpp"
#include "orbit/current_satellite.hpp"

namespace vantrek {

namespace {

// Days between a set's epoch and `now`, either way; NaN for the placeholder.
double ageDays(const ElementSet& set, double now) {
    if (set.catalogNumber == 0) return std::nan("");
    return std::fabs(now - JulianDateFromEpoch(set.epoch));
}

int wholeDays(double days) { return static_cast<int>(std::min(std::floor(days), 1e9)); }

}  // namespace

int StaleElementDays(const SatelliteCatalog& catalog, double now) {
    if (!std::isfinite(now)) return -1;
    // The current slot's own set: the views use the working copy for every
    // satellite they draw.
    const int count = loadedSatelliteCount(catalog);
    const bool known = catalog.current >= 0 && catalog.current < count;
    const double current = ageDays(known ? catalog.entries[static_cast<std::size_t>(catalog.current)] : catalog.currentSet, now);
    if (current > kStaleElementDays) return wholeDays(current);

    std::vector<double> ages;
    int stale = 0;
    for (int i = 0; i < count; ++i) {
        if (catalog.selected[static_cast<std::size_t>(i)] != 1) continue;
        const double age = ageDays(catalog.entries[static_cast<std::size_t>(i)], now);
        if (!(age >= 0.0)) continue;
        ages.push_back(age);
        if (age > kStaleElementDays) ++stale;
    }
    if (2 * stale <= static_cast<int>(ages.size())) return -1;
    auto middle = ages.begin() + static_cast<long>(ages.size() / 2);
    std::nth_element(ages.begin(), middle, ages.end());
    return wholeDays(*middle);
}

std::string StaleElementsText(int days) {
    return "Element sets are " + std::to_string(days) + " days old; predictions are unreliable.";
}

}  // namespace vantrek
