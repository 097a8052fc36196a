#pragma once

namespace vantrek {

// A Cartesian vector in km (positions) or km/s (velocities); w holds the
// length of (x, y, z) wherever the producing routine says it fills it.
struct Vector4 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    double w = 0.0;
};

}  // namespace vantrek
