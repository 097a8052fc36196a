#pragma once

#include <cstdint>
#include <string>

#include "astro/vector4.hpp"

namespace vantrek {

// The last flare evaluation, overwritten by every call of FlareMagnitude.
struct FlareResult {
    double angle = 0.0;       // rad between the reflected line of sight and the Sun
    double phaseAngle = 0.0;  // rad, Sun-satellite-observer
    int16_t antenna = 0;      // 1 front, 2 left, 3 right
};

// One main mission antenna, a flat mirror fixed in the satellite's orbital frame.
struct IridiumAntenna {
    int16_t number;
    const char* shortName;  // as in the information panel's flare line
    const char* longName;   // as in the sky view
    double pitch;           // rad, below the local horizontal
    double yaw;             // rad, from the direction of motion
};

// In the order they are evaluated.
extern const IridiumAntenna kIridiumAntennas[3];

// A flare is reported when the reflection passes within this angle of the Sun.
constexpr double kFlareThreshold = 0.08726646259971649;  // rad, 5 degrees

// Angle reported when the observer is behind the mirror; above any threshold.
constexpr double kObserverBehindMirror = 100.0;

// Angle (rad) between the direction to the Sun and the observer's line of sight
// reflected by one antenna, or 100 when the observer is behind it. All vectors
// are inertial, km and km/s, for one instant; the satellite position and
// velocity must have w = their lengths. Writes the phase angle into `flare`
// unless it returns 100.
double MirrorAngle(const Vector4& sun, const Vector4& satellite, const Vector4& velocity,
                   const Vector4& observer, double pitch, double yaw, FlareResult& flare);

// Flare magnitude for a height difference (km, satellite minus observer
// geocentric distance), a flare angle (rad) and a phase angle (rad).
double FlareBrightness(double heightDifference, double flareAngle, double phaseAngle);

// Tries the antennas in order and stops at the first within 5 degrees, giving
// its flare magnitude; otherwise records the closest antenna (the lower number
// on a tie) and returns 100. Fills all of `flare`.
double FlareMagnitude(const Vector4& sun, const Vector4& satellite, const Vector4& velocity,
                      const Vector4& observer, FlareResult& flare);

// The information panel's flare line, e.g. "Iridium flare Mag.-3.2 angle 1.25° MMA Left ";
// "" for an antenna number outside 1..3 (the panel then keeps its previous line).
std::string FlareStateText(double magnitude, const FlareResult& flare);

// The sky view's name of an antenna, e.g. "Front Main Mission Antena"; "" outside 1..3.
const char* IridiumAntennaName(int32_t antenna);

}  // namespace vantrek
