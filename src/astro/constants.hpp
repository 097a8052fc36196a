#pragma once

// Angle constants shared by the astronomy, orbit and observation code.
namespace vantrek {

constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kHalfPi = 1.5707963267948966;
constexpr double kDegree = 0.0174532925199433;        // radians per degree
constexpr double kRadian = 57.29577951308231;         // degrees per radian
constexpr double kRevPerDayToRadPerMin = 0.004363323129985824;  // 2 pi / 1440

}  // namespace vantrek
