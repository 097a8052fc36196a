#pragma once

// The Earth ellipsoid and rotation shared by every routine that needs the
// Earth's shape (flattening 1/298.257223563).
namespace vantrek {

constexpr double kEarthEquatorialRadius = 6378.135;            // km
constexpr double kEarthEccentricitySquared = 0.006694379990141316;
constexpr double kOneMinusEccentricitySquared = 0.9933056200098587;
constexpr double kEarthPolarRadius = 6356.750320950801;         // km, a sqrt(1 - e2)
constexpr double kEccentricitySquaredTimesRadius = 42.69765931841998;  // km
constexpr double kEarthRotationRate = 7.292115e-5;              // rad/s

}  // namespace vantrek
