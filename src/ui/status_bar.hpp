#pragma once

#include <cstdint>
#include <string>

#include "ui/display_list.hpp"

namespace vantrek {

// What the status bar shows, gathered by the caller from the program's records.
struct StatusBarFacts {
    std::string fileDisplayName;  // base name of the loaded element-set file
    int32_t count = 0;            // element sets in the catalogue
    int32_t refraction = 0;       // flag_refraction
    bool simpleMode = false;      // simplified drag of the last near-Earth propagation
    double latitude = 0.0;        // observer, radians
    double longitude = 0.0;       // observer, radians
    bool trackingEnabled = false; // GPS reading switched on
    int32_t fixQuality = 0;       // GPS fix quality, 0 none
    int32_t fixMode = 0;          // 0 none, 1 no fix, 2 2-D, 3 3-D
    std::string stationText;      // the radio's and rotator's link states; empty when both are off
};

// The GPS icon for this paint. A receiver without a fix (fixMode 1) blinks
// every tick by setting the tick counter back to 0 when it reaches 2; with a
// fix the icon shows the first state for two ticks out of five.
BitmapId StatusBarGpsIcon(int32_t fixMode, int16_t& tickCounter);

// Appends the status bar for a client area `client` to `list` (target
// StatusBar): the GPS icon, the file and count, refraction, simple mode, the
// observer's position, the radio's and rotator's link states and, while GPS
// reading is on, the fix state.
void DrawStatusBar(DisplayList& list, Rect client, const StatusBarFacts& facts,
                   int16_t& tickCounter);

}  // namespace vantrek
