#include "observe/visibility_status.hpp"

#include "astro/look_angles.hpp"
#include "astro/sun.hpp"
#include "observe/eclipse.hpp"
#include "observe/magnitude_estimate.hpp"
#include "observe/visibility_code.hpp"
#include "orbit/propagation.hpp"

namespace vantrek {

int16_t VisibilityStatus(PropagatorState& model, const SatelliteCatalog& catalog, double jd,
                         ElementSet& working, int index, Observer& observer, uint8_t reload,
                         const VisibilityLimits& limits, int32_t engine, int32_t flareMode,
                         double& magnitude, FlareResult& flare, Vector4* positionOut,
                         Vector4* velocityOut) {
    Vector4 position, velocity;
    propagateSatellite(model, catalog, jd, working, index, velocity, position, reload, engine);
    if (positionOut != nullptr) *positionOut = position;
    if (velocityOut != nullptr) *velocityOut = velocity;
    magnitude = kNoMagnitude;
    if (propagationFailed(position)) return kVisibilityCannotPropagate;
    LookAngles look;
    ComputeLookAngles(jd, position, velocity, observer, look, 0, 0);
    if (look.elevation <= limits.satelliteElevation) return kVisibilityInvisible;

    Vector4 sun;
    SunPosition(jd, sun);
    LookAngles sunLook;
    ComputeLookAngles(jd, sun, Vector4{}, observer, sunLook, 1, 0);
    if (sunLook.elevation > limits.sunElevation) return kVisibilityInSun;
    double depth = 0.0;
    if (IsEclipsed(position, sun, depth)) return kVisibilityEclipsed;
    if (sunLook.elevation == limits.sunElevation) return kVisibilityInSun;

    Vector4 observerPosition, observerVelocity;
    if (flareMode == 1) {
        ObserverEci(jd, observer, observerPosition, observerVelocity);
        magnitude = FlareMagnitude(sun, position, velocity, observerPosition, flare);
        return flare.angle < kFlareThreshold ? kVisibilityFlare : kVisibilityInSun;
    }
    if (working.deepSpace) {
        // The estimate loads the entry afresh, so a search continues from a
        // newly initialised model after every visible instant: the lunar-solar
        // periodics and the resonance integrator start again from the epoch.
        MagnitudeEstimate estimate;
        magnitude = EstimateMagnitude(model, catalog, jd, index, working, observer, engine, estimate);
        return kVisibilityVisible;
    }
    // A near-Earth model's initialised state depends only on the element set,
    // so the estimate's fresh load and propagation would give this same state.
    ObserverEci(jd, observer, observerPosition, observerVelocity);
    double illumination = 0.0, phaseAngle = 0.0;
    magnitude = SunlitMagnitude(working.catalogNumber, position, sun, observerPosition, illumination, phaseAngle);
    return kVisibilityVisible;
}

}  // namespace vantrek
