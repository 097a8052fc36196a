#pragma once

namespace vantrek {

// The Moon's phase, distance and size, and the Sun's distance and size.
struct MoonPhaseFigures {
    double illuminatedFraction = 0.0;  // 0 new, 1 full
    double age = 0.0;                  // rad [0, 2 pi): Moon's longitude minus the Sun's
    double distance = 0.0;             // km
    double apparentDiameter = 0.0;     // degrees
    double sunDistance = 0.0;          // km
    double sunApparentDiameter = 0.0;  // degrees
};

// Phase figures at a Julian date; every caller passes the simulation clock's
// current date. Always returns 1.
int MoonPhase(double jd, MoonPhaseFigures& out);

}  // namespace vantrek
