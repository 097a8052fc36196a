#include "observe/iridium_flare.hpp"

#include <cmath>
#include <cstdio>

#include "astro/angles.hpp"
#include "astro/constants.hpp"
#include "observe/visibility_code.hpp"

namespace vantrek {

namespace {

constexpr double kAntennaPitch = -0.6981317007977319;  // 40 degrees below the horizontal
constexpr double kAntennaYaw = 2.0943951023931957;     // 120 degrees

Vector4 combine(double a, const Vector4& u, double b, const Vector4& v, double c, const Vector4& w) {
    return {a * u.x + b * v.x + c * w.x, a * u.y + b * v.y + c * w.y, a * u.z + b * v.z + c * w.z,
            0.0};
}

double dot(const Vector4& a, const Vector4& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Vector4 unitDifference(const Vector4& to, const Vector4& from) {
    Vector4 d{to.x - from.x, to.y - from.y, to.z - from.z, 0.0};
    d.w = std::sqrt(dot(d, d));
    d.x /= d.w;
    d.y /= d.w;
    d.z /= d.w;
    return d;
}

}  // namespace

const IridiumAntenna kIridiumAntennas[3] = {
    {1, "MMA Front", "Front Main Mission Antena", kAntennaPitch, 0.0},
    {2, "MMA Left ", "Left Main Mission Antena", kAntennaPitch, kAntennaYaw},
    {3, "MMA Right", "Right Main Mission Antena", kAntennaPitch, -kAntennaYaw},
};

double MirrorAngle(const Vector4& sun, const Vector4& satellite, const Vector4& velocity,
                   const Vector4& observer, double pitch, double yaw, FlareResult& flare) {
    // Orbital frame: up, along the motion, and to the right of it.
    const Vector4 up{satellite.x / satellite.w, satellite.y / satellite.w, satellite.z / satellite.w,
                     0.0};
    const Vector4 along{velocity.x / velocity.w, velocity.y / velocity.w, velocity.z / velocity.w,
                        0.0};
    const Vector4 right{along.y * up.z - along.z * up.y, along.z * up.x - along.x * up.z,
                        along.x * up.y - along.y * up.x, 0.0};

    // The mirror's two in-plane axes and its normal.
    const double sa = std::sin(pitch), ca = std::cos(pitch);
    const double sb = std::sin(yaw), cb = std::cos(yaw);
    const Vector4 e1 = combine(cb, right, sb, along, 0.0, up);
    const Vector4 e2 = combine(sa * sb, right, -sa * cb, along, ca, up);
    const Vector4 normal = combine(-ca * sb, right, ca * cb, along, sa, up);

    Vector4 sight = unitDifference(satellite, observer);
    const double k = -dot(sight, normal);
    if (k < 0.0) return kObserverBehindMirror;

    Vector4 reflected = combine(dot(sight, e1), e1, dot(sight, e2), e2, k, normal);
    Vector4 toSun = unitDifference(sun, satellite);
    flare.phaseAngle = kPi - AngleBetween(sight, toSun);
    return AngleBetween(toSun, reflected);
}

double FlareBrightness(double heightDifference, double flareAngle, double phaseAngle) {
    const double angleDegrees = flareAngle / kDegree;
    const double spread = heightDifference * angleDegrees * 0.001282;
    const double magnitude =
        4.742 * std::log10(spread / (std::cos(phaseAngle / 2.0) + 1e-5) + 0.047) - 1.737;
    // A satellite below the observer's geocentric distance gives no real value.
    return std::isfinite(magnitude) ? magnitude : kNoMagnitude;
}

double FlareMagnitude(const Vector4& sun, const Vector4& satellite, const Vector4& velocity,
                      const Vector4& observer, FlareResult& flare) {
    double angles[3];
    for (int a = 0; a < 3; ++a) {
        const IridiumAntenna& antenna = kIridiumAntennas[a];
        flare.antenna = antenna.number;
        angles[a] = MirrorAngle(sun, satellite, velocity, observer, antenna.pitch, antenna.yaw, flare);
        flare.angle = angles[a];
        if (angles[a] <= kFlareThreshold) {
            const double observerDistance = std::sqrt(dot(observer, observer));
            return FlareBrightness(satellite.w - observerDistance, angles[a], flare.phaseAngle);
        }
    }
    int best = 0;
    for (int a = 1; a < 3; ++a) {
        if (angles[a] < angles[best]) best = a;
    }
    flare.angle = angles[best];
    flare.antenna = kIridiumAntennas[best].number;
    return kNoMagnitude;
}

std::string FlareStateText(double magnitude, const FlareResult& flare) {
    if (flare.antenna < 1 || flare.antenna > 3) return "";
    const char* name = kIridiumAntennas[flare.antenna - 1].shortName;
    const double angleDegrees = flare.angle / kDegree;
    char text[128];
    if (magnitude != kNoMagnitude) {
        std::snprintf(text, sizeof text, "Iridium flare Mag.%2.1f angle %2.2f\u00b0 %s", magnitude,
                      angleDegrees, name);
    } else {
        std::snprintf(text, sizeof text, "Iridium flare  angle %2.2f\u00b0 %s", angleDegrees, name);
    }
    return text;
}

const char* IridiumAntennaName(int32_t antenna) {
    if (antenna < 1 || antenna > 3) return "";
    return kIridiumAntennas[antenna - 1].longName;
}

}  // namespace vantrek
