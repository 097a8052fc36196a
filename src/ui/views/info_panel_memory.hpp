#pragma once

#include <cstdint>
#include <string>

namespace vantrek {

// What the information panel keeps from one paint to the next.
struct InfoPanelMemory {
    double flareMagnitude = 100.0;  // of the last paint with an Iridium catalogue; 100 = none
    std::string stateLine;          // the state line shown at the previous paint
    // Running average of the propagation time; it belongs to one satellite.
    double calcTimeSumMs = 0.0;
    int32_t calcTimeCount = 0;
    int32_t calcTimeCatalogNumber = 0;
};

}  // namespace vantrek
