#pragma once

#include <cstdint>
#include <string>

#include "observe/iridium_flare.hpp"

namespace vantrek {

// What the information panel's one-line verdict on the current satellite
// depends on.
struct StateLineFacts {
    double elevation = 0.0;     // satellite, rad
    double sunElevation = 0.0;  // rad
    double height = 0.0;        // satellite above the ellipsoid, km
    bool eclipsed = false;
    bool passPossible = false;
    bool geostationary = false;
    bool iridiumCatalogue = false;
    bool comparison = false;    // the "8/4 test" is on
};

// The verdicts. Code 4 is not used; CannotCompute is the panel's own for a
// satellite without a finite state, where no rule applies.
enum StateLineCode : int {
    kStatePassingInvisible = 0,
    kStateGeostationaryInvisible = 1,
    kStateAlwaysUnderHorizon = 2,
    kStateBelowHorizon = 3,
    kStateMagnitude = 5,
    kStateEclipsed = 6,
    kStateGeostationaryVisible = 7,
    kStateEntersAtmosphere = 8,
    kStateReachedGround = 9,
    kStateFlare = 10,
    kStateComparison = 11,
    kStateCannotCompute = 12,
};

// The rules in order, each later rule that applies replacing the earlier result.
int ChooseStateLine(const StateLineFacts& facts);

// Within 9e-5 rev/day of the Earth's turn, 1.0027 rev/day; mean motion in rad/min.
bool IsGeostationary(double meanMotion);

// The numbers the texts of some codes carry.
struct StateLineNumbers {
    double magnitude = 100.0;     // 100 = none
    double illumination = 0.0;    // percent
    double phaseAngle = 0.0;      // degrees
    double depth = 0.0;           // rad inside the shadow edge
    double flareMagnitude = 100.0;
    FlareResult flare;
    int32_t engine = 0;           // s4_s8
};

// The text of a code; "" for a flare without a known antenna (1..3), when the
// panel keeps the line it showed before.
std::string StateLineText(int code, const StateLineNumbers& numbers);

}  // namespace vantrek
