#pragma once

#include <cstdint>

namespace vantrek {

// Points of the Earth's outline in the space view (units of 100 km).
struct GlobePoint {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    bool marker = false;  // on the Greenwich meridian: drawn red
};

constexpr int kGlobeRingPoints = 5 * 36;   // latitudes 0, 22.5 .. 90 degrees, every 10 degrees of longitude
constexpr int kGlobeDotPoints = 30 * 10;   // latitudes 0, 3 .. 87 degrees, every 36 degrees
constexpr int kGlobeDotsUsed = 29 * 10;    // up to 84 degrees
// Turned, each northern point with its southern mirror.
constexpr int kTurnedGlobePoints = 2 * kGlobeRingPoints + 2 * kGlobeDotsUsed;

// The northern hemisphere's grid in Earth-fixed coordinates, built once at
// start-up; x = R cos(lat) sin(lon), y = R cos(lat) cos(lon), z = R sin(lat).
struct GlobeGrid {
    GlobePoint rings[kGlobeRingPoints];
    GlobePoint dots[kGlobeDotPoints];
    bool built = false;
};

void buildGlobeGrid(GlobeGrid& grid);

// The grid turned into the inertial frame at Julian date `jd` (the Earth
// turned by Greenwich sidereal time), with the mirrored southern points:
// rings first, then the dotted rings. Returns the number of points written
// (kTurnedGlobePoints, or 0 when the grid is not built).
int turnGlobeGrid(const GlobeGrid& grid, double jd, GlobePoint (&out)[kTurnedGlobePoints]);

}  // namespace vantrek
