#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/settings.hpp"

namespace vantrek {

// The "Settings" dialog: display and prediction options.
struct SettingsForm {
    std::string uplink;                 // edit under "Uplik", MHz
    std::string downlink;               // edit under "Downlink", MHz
    bool refraction = false;            // "Atm. refraction"
    bool swapNorthSouth = false;        // "Swap N/S"
    std::vector<std::string> starMagnitudeRows;  // "Stars magnitude until": "0".."5"
    int starMagnitudeRow = -1;          // selected row, -1 none
    bool iridiumFlares = false;         // "Predict Iridium flares"
    bool magnitudeFilter = false;       // "Minimal magnitude to predict"
    std::string magnitudeLimit;         // edit beside it, digits only
    bool sgp8Engine = false;            // "SDP SGP 4/8 ingine"
    bool showPlanets = false;           // "Show planets"
    bool sgp8Comparison = false;        // "8/4 test"
    bool showAllPaths = false;          // "Show all pathes"
};

// Out-of-range link frequencies fall back to these, MHz.
constexpr double kDefaultUplink = 138.0;
constexpr double kDefaultDownlink = 130.0;

// Fills the form from the settings: the frequencies with "%f", the magnitude
// limit unsigned, each box checked when its flag is 1.
void openSettingsDialog(SettingsForm& form, const Settings& settings);

// OK: frequencies outside 1..10000000 MHz (or not numbers) become 138 and
// 130, a magnitude limit above 20 becomes 20, the flags follow the boxes, and
// the options are stored with the current satellite. Cancel is simply not
// calling this.
void acceptSettingsDialog(const SettingsForm& form, Settings& settings, SettingsStore& store,
                          int32_t currentSatellite);

}  // namespace vantrek
