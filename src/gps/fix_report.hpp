#pragma once

#include <string>

#include "gps/gps_fix.hpp"

namespace vantrek {

// The fix as "key=value" lines in field order (doubles with six decimals,
// the slot arrays as comma-separated lists), as vantrek-cli prints it.
std::string FormatGpsFixReport(const GpsFixData& data);

}  // namespace vantrek
