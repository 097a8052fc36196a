#include "orbit/propagation.hpp"

#include <cmath>

#include "astro/julian_date.hpp"
#include "orbit/catalog_loading.hpp"
#include "orbit/model_constants.hpp"

namespace vantrek {

namespace {

// The one place where the engine setting and the period pick a model.
void runModel(PropagatorState& model, int32_t engine, double tsince, const ElementSet& set,
              Vector4& position, Vector4& velocity, uint8_t initialised) {
    if (engine == kEngineSgp8) {
        if (set.deepSpace) {
            propagateSdp8(model, tsince, set, position, velocity, initialised);
        } else {
            propagateSgp8(model, tsince, set, position, velocity, initialised);
        }
    } else if (set.deepSpace) {
        propagateSdp4(model, tsince, set, position, velocity, initialised);
    } else {
        propagateSgp4(model, tsince, set, position, velocity, initialised);
    }
}

void scale(Vector4& v, double factor) {
    v.x *= factor;
    v.y *= factor;
    v.z *= factor;
    v.w = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

}  // namespace

void propagateSatellite(PropagatorState& model, const SatelliteCatalog& catalog, double julianDate,
                        ElementSet& working, int index, Vector4& velocity, Vector4& position,
                        uint8_t initialised, int32_t engine) {
    if (initialised == 0) {
        model.flags = ModelFlags{};
        loadWorkingElementSet(catalog, index, working);
        working.deepSpace = static_cast<int16_t>(selectModel(working));
        model.epochJulianDate = JulianDateFromEpoch(working.epoch);  // fixed until the next initialisation
    }
    const double tsince = (julianDate - model.epochJulianDate) * kMinutesPerDay;

    position = Vector4{};
    velocity = Vector4{};
    runModel(model, engine, tsince, working, position, velocity, initialised);

    scale(position, kKmPerEarthRadius);
    scale(velocity, kKmPerSecondPerModelVelocity);
    // A component that is not finite makes the length so too.
    if (!std::isfinite(position.w) || !std::isfinite(velocity.w) || position.w == 0.0) {
        position = Vector4{};
        velocity = Vector4{};
    }
}

bool propagationFailed(const Vector4& position) {
    return position.x == 0.0 && position.y == 0.0 && position.z == 0.0 && position.w == 0.0;
}

}  // namespace vantrek
