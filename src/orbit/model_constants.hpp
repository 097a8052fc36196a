#pragma once

// Physical constants of the NORAD orbit models, in Earth radii and minutes.
// The same values serve SGP4, SDP4, SGP8 and SDP8.
namespace vantrek {

constexpr double kXke = 0.0743669161;            // sqrt(GM), Earth radii^1.5 per minute
constexpr double kCk2 = 5.413079e-4;             // J2 / 2
constexpr double kCk4 = 6.2098875e-7;            // -3/8 J4
constexpr double kA3ovk2 = 0.004690140306468833; // -J3 / CK2
constexpr double kQoms2t = 1.88027916e-9;        // (q0 - s)^4, Earth radii^4
constexpr double kDragS = 1.01222928;            // atmospheric parameter s, Earth radii
constexpr double kEarthRadiusKm = 6378.135;
constexpr double kKeplerTolerance = 1.0e-6;
constexpr double kTwoThirds = 2.0 / 3.0;

// Model units to the program's: Earth radii to km, Earth radii per minute to km/s.
constexpr double kKmPerEarthRadius = kEarthRadiusKm;
constexpr double kKmPerSecondPerModelVelocity = 106.30225;  // 6378.135 / 60
constexpr double kMinutesPerDay = 1440.0;

}  // namespace vantrek
