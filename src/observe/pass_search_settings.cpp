#include "observe/pass_search_settings.hpp"

namespace vantrek {

PassSearchOptions PassSearchOptionsFromSettings(const Settings& settings, double start,
                                                double hours) {
    PassSearchOptions options;
    options.start = start;
    options.hours = hours;
    options.limits.satelliteElevation = settings.Sat_ele;
    options.limits.sunElevation = settings.Sun_ele;
    options.flareMode = settings.flares;
    options.magnitudeFilter = settings.SatPredictVisible;
    options.minimumMagnitude = settings.SatPredictMag;
    options.engine = settings.s4_s8;
    return options;
}

void StoreSearchLimits(const PassSearchOptions& options, Settings& settings) {
    const PassSearchOptions checked = CheckedPassSearchOptions(options);
    settings.Sat_ele = checked.limits.satelliteElevation;
    settings.Sun_ele = checked.limits.sunElevation;
}

}  // namespace vantrek
