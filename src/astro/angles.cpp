#include "astro/angles.hpp"

#include <cmath>

#include "astro/constants.hpp"

namespace vantrek {

double NormalizeAngle(double angle) {
    if (angle >= 0.0 && angle < kTwoPi) return angle;
    double reduced = angle - std::trunc(angle / kTwoPi) * kTwoPi;
    if (reduced < 0.0) reduced += kTwoPi;
    return reduced;
}

double AngleFromSinCos(double y, double x) {
    if (x == 0.0) return y > 0.0 ? kHalfPi : 3.0 * kHalfPi;
    if (x > 0.0) {
        if (y > 0.0) return std::atan(y / x);
        return std::atan(y / x) + kTwoPi;
    }
    return std::atan(y / x) + kPi;
}

double ArcSinClamped(double x) {
    if (std::fabs(x) >= 1.0) return x < 0.0 ? -kHalfPi : kHalfPi;
    return std::atan(x / std::sqrt(1.0 - x * x));
}

double AngleBetween(Vector4& a, Vector4& b) {
    a.w = std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z);
    b.w = std::sqrt(b.x * b.x + b.y * b.y + b.z * b.z);
    const double dot = a.x * b.x + a.y * b.y + a.z * b.z;
    return kHalfPi - ArcSinClamped(dot / (a.w * b.w));
}

}  // namespace vantrek
