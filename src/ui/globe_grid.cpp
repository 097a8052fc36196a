#include "ui/globe_grid.hpp"

#include <cmath>

#include "astro/angles.hpp"
#include "astro/constants.hpp"
#include "astro/sidereal_time.hpp"

namespace vantrek {

namespace {

constexpr double kEarthRadiusUnits = 63.78135;  // 6378.135 km

GlobePoint onGlobe(double latitude, double longitude) {
    GlobePoint p;
    p.x = kEarthRadiusUnits * std::cos(latitude) * std::sin(longitude);
    p.y = kEarthRadiusUnits * std::cos(latitude) * std::cos(longitude);
    p.z = kEarthRadiusUnits * std::sin(latitude);
    return p;
}

}  // namespace

void buildGlobeGrid(GlobeGrid& grid) {
    int n = 0;
    for (int ring = 0; ring < 5; ++ring)
        for (int k = 0; k < 36; ++k) grid.rings[n++] = onGlobe(ring * kPi / 8.0, k * 10.0 * kDegree);
    n = 0;
    for (int ring = 0; ring < 30; ++ring)
        for (int k = 0; k < 10; ++k) {
            grid.dots[n] = onGlobe(ring * kPi / 60.0, k * 36.0 * kDegree);
            grid.dots[n++].marker = k == 0;
        }
    grid.built = true;
}

int turnGlobeGrid(const GlobeGrid& grid, double jd, GlobePoint (&out)[kTurnedGlobePoints]) {
    if (!grid.built) return 0;
    // Earth-fixed y points to Greenwich, which stands at the sidereal angle.
    const double a = NormalizeAngle(GreenwichSiderealAngle(jd) - kHalfPi);
    const double c = std::cos(a), s = std::sin(a);
    int n = 0;
    auto turned = [&](const GlobePoint& p) {
        GlobePoint t = p;
        t.x = p.x * c - p.y * s;
        t.y = p.y * c + p.x * s;
        out[n++] = t;
        t.z = -t.z;
        out[n++] = t;
    };
    for (const GlobePoint& p : grid.rings) turned(p);
    for (int i = 0; i < kGlobeDotsUsed; ++i) turned(grid.dots[i]);
    return n;
}

}  // namespace vantrek
