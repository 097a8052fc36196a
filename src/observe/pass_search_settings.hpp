#pragma once

#include "data/settings.hpp"
#include "observe/pass_search_options.hpp"

namespace vantrek {

// The search options the stored settings give for a period: elevation limits
// `Sat_ele` and `Sun_ele`, flare mode `flares`, the filter `SatPredictVisible`
// with `SatPredictMag`, and the engine `s4_s8`.
PassSearchOptions PassSearchOptionsFromSettings(const Settings& settings, double start,
                                                double hours);

// The elevation limits a search ran with become the stored limits.
void StoreSearchLimits(const PassSearchOptions& options, Settings& settings);

}  // namespace vantrek
