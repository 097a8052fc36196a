#pragma once

namespace vantrek {

constexpr double kAstronomicalUnit = 149597870.691;  // km

}  // namespace vantrek
