#pragma once

#include <cstdint>

#include "astro/vector4.hpp"

namespace vantrek {

// Body codes used by every caller.
enum PlanetCode : int16_t {
    kEarth = 0,
    kMercury = 1,
    kVenus = 2,
    kMars = 3,
    kJupiter = 4,
    kSaturn = 5,
    kUranus = 6,
    kNeptune = 7,
    kPluto = 8,
};
constexpr int kPlanetRowCount = 9;

// Heliocentric ecliptic elements of one body (112 bytes); the model reads the
// fields up to the obliquity epoch.
struct PlanetElementRow {
    char name[16];            // blank padded, NUL terminated
    double epoch;             // Julian date
    double inclination;       // rad
    double node;              // longitude of the ascending node, rad
    double argPerihelion;     // rad
    double semiMajorAxis;     // AU
    double dailyMotion;       // rad/day
    double eccentricity;
    double meanAnomaly;       // rad, at the epoch
    double obliquityEpoch;    // Julian date
    double absoluteMagnitude;
    double semidiameter;      // arcseconds at 1 AU
    double reserved;
};
static_assert(sizeof(PlanetElementRow) == 112, "planet rows are 112 bytes");

// The nine rows in table order: Mercury, Venus, Earth, Mars .. Pluto.
extern const PlanetElementRow PlanetElements[kPlanetRowCount];

// Row of PlanetElements holding a body code; -1 for a code outside 0..8.
int PlanetRow(int16_t code);

// Heliocentric equatorial position of a body in km (w = its distance from the
// Sun), from its Keplerian elements, turned from the ecliptic with the mean
// obliquity of the elements' epoch. False (output untouched) for an unknown code.
bool PlanetHeliocentric(double jd, int16_t code, Vector4& out);

}  // namespace vantrek
