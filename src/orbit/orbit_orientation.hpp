#pragma once

#include "astro/vector4.hpp"

namespace vantrek {

// Unit vectors of an orbit at one instant: U toward the satellite, V in the
// orbit plane 90 degrees ahead of it.
struct OrbitOrientation {
    double ux = 0.0, uy = 0.0, uz = 0.0;
    double vx = 0.0, vy = 0.0, vz = 0.0;
};

// Position r U and velocity rdot U + rfdot V, where rfdot is r times the
// rate of the argument of latitude (x, y, z; w untouched).
inline void stateFromOrientation(const OrbitOrientation& o, double r, double rdot, double rfdot,
                                 Vector4& position, Vector4& velocity) {
    position.x = r * o.ux;
    position.y = r * o.uy;
    position.z = r * o.uz;
    velocity.x = rdot * o.ux + rfdot * o.vx;
    velocity.y = rdot * o.uy + rfdot * o.vy;
    velocity.z = rdot * o.uz + rfdot * o.vz;
}

}  // namespace vantrek
