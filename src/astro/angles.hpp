#pragma once

#include "astro/vector4.hpp"

namespace vantrek {

// The same angle in [0, 2 pi); an angle already in range is returned unchanged.
double NormalizeAngle(double angle);

// The angle whose sine and cosine are proportional to y and x, in [0, 2 pi].
// x = 0 gives pi/2 for y > 0 and 3 pi/2 otherwise; y = 0 with x > 0 gives 2 pi.
double AngleFromSinCos(double y, double x);

// Arcsine that saturates to +-pi/2 for |x| >= 1 instead of failing.
double ArcSinClamped(double x);

// Angle between two vectors in [0, pi]; writes each vector's length into its w.
double AngleBetween(Vector4& a, Vector4& b);

}  // namespace vantrek
