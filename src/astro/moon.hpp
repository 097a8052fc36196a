#pragma once

#include "astro/observer.hpp"
#include "astro/vector4.hpp"

namespace vantrek {

// Julian date of 1980 January 0.0, the epoch of the Moon's series.
constexpr double kMoonEpochJulianDate = 2444238.5;

// Mean Earth-Moon distance used for the Moon's place in space, km.
constexpr double kMoonMeanDistance = 384403.0;

// The Moon in the observer's sky.
struct MoonHorizon {
    double azimuth = 0.0;           // rad [0, 2 pi), from north through east
    double elevation = 0.0;         // rad, corrected for the Moon's parallax
    double relativeDistance = 0.0;  // distance / semi-major axis, about 0.945..1.055
    double unused = 0.0;
};

// The Moon on the celestial sphere.
struct MoonEquatorial {
    double declination = 0.0;              // rad
    double rightAscensionMinusGmst = 0.0;  // rad, not reduced to a range
    double distance = 0.0;                 // km, always the mean distance
    double unused = 0.0;
};

// Places the Moon for `daysSince1980` (Julian date - kMoonEpochJulianDate),
// seen by the observer (latitude and longitude read).
void MoonPosition(double daysSince1980, const Observer& observer, MoonHorizon& horizon,
                  MoonEquatorial& equatorial);

// The Moon's inertial position in km for the space view (w untouched), from
// the MoonEquatorial that MoonPosition left for the same Julian date.
// Returns the z component.
double MoonSpaceVector(double jd, const MoonEquatorial& moon, Vector4& out);

}  // namespace vantrek
