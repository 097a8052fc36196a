#include "observe/magnitude_estimate.hpp"

#include <cmath>

#include "astro/angles.hpp"
#include "astro/constants.hpp"
#include "astro/sun.hpp"
#include "observe/eclipse.hpp"
#include "observe/magnitude_table.hpp"
#include "observe/visibility_code.hpp"
#include "orbit/propagation.hpp"

namespace vantrek {

namespace {

// Fainter than this the estimate means nothing (the satellite is lit edge-on).
constexpr double kFaintestEstimate = 80.0;

Vector4 difference(const Vector4& a, const Vector4& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z, 0.0};
}

}  // namespace

double SunlitMagnitude(int32_t catalogNumber, const Vector4& satellite, const Vector4& sun,
                       const Vector4& observerPosition, double& illumination, double& phaseAngle) {
    const double standard = StandardMagnitude(catalogNumber);
    Vector4 toSun = difference(sun, satellite);
    Vector4 toObserver = difference(observerPosition, satellite);
    const double phase = AngleBetween(toSun, toObserver);  // fills toObserver.w, the range
    const double litFraction = (1.0 + std::cos(phase)) / 2.0;
    const double range = toObserver.w;
    // m0 at 1000 km range and half illumination: 2.5 log10(1000^2 / 0.5) = 15.75.
    double magnitude = standard - 15.75 + 2.5 * std::log10(range * range / litFraction);
    if (!std::isfinite(magnitude) || magnitude > kFaintestEstimate) magnitude = kNoMagnitude;
    illumination = 100.0 * litFraction;
    phaseAngle = phase * kRadian;
    return magnitude;
}

double EstimateMagnitude(PropagatorState& model, const SatelliteCatalog& catalog, double jd,
                         int index, ElementSet& working, Observer& observer, int32_t engine,
                         MagnitudeEstimate& out) {
    Vector4 sun;
    SunPosition(jd, sun);
    propagateSatellite(model, catalog, jd, working, index, out.velocity, out.position, 0, engine);
    if (propagationFailed(out.position)) return kNoMagnitude;
    ComputeLookAngles(jd, out.position, out.velocity, observer, out.look, 1, 0);
    Vector4 observerVelocity;
    ObserverEci(jd, observer, out.observerPosition, observerVelocity);
    out.eclipsed = IsEclipsed(out.position, sun, out.depth);
    if (out.eclipsed) return kNoMagnitude;
    return SunlitMagnitude(working.catalogNumber, out.position, sun, out.observerPosition,
                           out.illumination, out.phaseAngle);
}

}  // namespace vantrek
