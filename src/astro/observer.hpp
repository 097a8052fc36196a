#pragma once

#include "astro/vector4.hpp"

namespace vantrek {

// Start-up observer: 54.3023 degrees N, 10.1247 degrees E, 0.03 km.
constexpr double kDefaultObserverLatitude = 0.9477539264057168;    // rad
constexpr double kDefaultObserverLongitude = 0.17670935077666988;  // rad
constexpr double kDefaultObserverHeight = 0.03;                    // km

// The one observer of the program.
struct Observer {
    double latitude = kDefaultObserverLatitude;    // geodetic, rad, north positive
    double longitude = kDefaultObserverLongitude;  // rad, east positive
    double height = kDefaultObserverHeight;        // km above the ellipsoid
    double theta = 0.0;         // local mean sidereal angle, rad [0, 2 pi); written by ObserverEci
    double sinLatitude = 0.0;   // stored by the sky view before it places the stars
    double cosLatitude = 0.0;
};

// Stores the sine and cosine of the observer's latitude, which StarHorizon reads.
void StoreLatitudeTrig(Observer& observer);

// The observer's inertial position (km) and velocity (km/s) at a Julian date,
// both with w filled; writes the local sidereal angle into `observer.theta`.
// Returns the speed.
double ObserverEci(double jd, Observer& observer, Vector4& position, Vector4& velocity);

}  // namespace vantrek
