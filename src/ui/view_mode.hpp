#pragma once

#include <cstdint>

namespace vantrek {

// Which view the paint handler draws. Value 4 is not used.
enum class ViewMode : int16_t {
    InfoPanel = 0,
    Map = 1,
    Sky = 2,
    Space = 3,
    GpsStatus = 5,
};

}  // namespace vantrek
