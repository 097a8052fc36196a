#include "ui/dialogs/settings_dialog.hpp"

#include <algorithm>

#include "ui/dialog_numbers.hpp"

namespace vantrek {

namespace {

constexpr double kLowestFrequency = 1.0;         // MHz
constexpr double kHighestFrequency = 10000000.0;  // MHz
constexpr uint32_t kFaintestPredictedMagnitude = 20;
constexpr int kStarMagnitudeRows = 6;

// NaN fails both comparisons and so takes the default too.
double frequencyOrDefault(const std::string& text, double fallback) {
    const double value = readDialogNumber(text);
    return value >= kLowestFrequency && value <= kHighestFrequency ? value : fallback;
}

}  // namespace

void openSettingsDialog(SettingsForm& form, const Settings& settings) {
    form.uplink = writeDialogNumber(settings.uplink);
    form.downlink = writeDialogNumber(settings.downlink);
    form.magnitudeLimit = std::to_string(static_cast<uint32_t>(settings.SatPredictMag));
    form.refraction = settings.flag_refraction == 1;
    form.swapNorthSouth = settings.SNtoNS == 1;
    form.iridiumFlares = settings.flares == 1;
    form.magnitudeFilter = settings.SatPredictVisible == 1;
    form.sgp8Engine = settings.s4_s8 == 1;
    form.showPlanets = settings.Flag_planets == 1;
    form.sgp8Comparison = settings.sgp8Comparison == 1;
    form.showAllPaths = settings.showAllPaths == 1;
    form.starMagnitudeRows.clear();
    for (int row = 0; row < kStarMagnitudeRows; ++row) form.starMagnitudeRows.push_back(std::to_string(row));
    form.starMagnitudeRow = settings.Stars_Mag >= 0 && settings.Stars_Mag < kStarMagnitudeRows
                                ? settings.Stars_Mag
                                : -1;
}

void acceptSettingsDialog(const SettingsForm& form, Settings& settings, SettingsStore& store,
                          int32_t currentSatellite) {
    settings.uplink = frequencyOrDefault(form.uplink, kDefaultUplink);
    settings.downlink = frequencyOrDefault(form.downlink, kDefaultDownlink);
    const uint32_t limit = readDialogUnsigned(form.magnitudeLimit);
    settings.SatPredictMag = static_cast<int32_t>(std::min(limit, kFaintestPredictedMagnitude));
    settings.flag_refraction = form.refraction ? 1 : 0;
    settings.SNtoNS = form.swapNorthSouth ? 1 : 0;
    settings.flares = form.iridiumFlares ? 1 : 0;
    settings.SatPredictVisible = form.magnitudeFilter ? 1 : 0;
    settings.s4_s8 = form.sgp8Engine ? 1 : 0;
    settings.Flag_planets = form.showPlanets ? 1 : 0;
    settings.sgp8Comparison = form.sgp8Comparison ? 1 : 0;
    settings.showAllPaths = form.showAllPaths ? 1 : 0;
    // No row chosen keeps the limit rather than storing -1.
    if (form.starMagnitudeRow >= 0 && form.starMagnitudeRow < kStarMagnitudeRows) {
        settings.Stars_Mag = static_cast<int16_t>(form.starMagnitudeRow);
    }
    StoreOptions(store, settings, currentSatellite);
}

}  // namespace vantrek
