#pragma once

#include "astro/observer.hpp"
#include "astro/vector4.hpp"

namespace vantrek {

// Seconds for which a satellite that is now below the observer's horizon
// plane provably stays below it; 0 when nothing can be promised (an open or
// decaying orbit, or one close to rising). Position (km) and velocity (km/s)
// are inertial; `observer.theta` must belong to the same instant (the look
// angles write it).
//
// Above the plane means an angle from the observer's zenith below acos(d / R),
// with d the plane's distance from the Earth's centre and R the apogee of the
// osculating orbit plus a margin. That angle shrinks no faster than the orbit
// turns at perigee plus the Earth's rotation (both with a margin for the
// models' periodic and drag terms), so the present angle gives the time.
double SecondsBelowHorizon(const Vector4& position, const Vector4& velocity, const Observer& observer);

}  // namespace vantrek
