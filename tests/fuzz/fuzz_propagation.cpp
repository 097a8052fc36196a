// Arbitrary element-set files through the orbit models: every state is either
// finite or reported as failed, and nothing hangs.
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

#include "astro/julian_date.hpp"
#include "fuzz_support.hpp"
#include "orbit/catalog_loading.hpp"
#include "orbit/propagation.hpp"

using namespace vantrek;

namespace {

void requireSound(const Vector4& position, const Vector4& velocity) {
    if (propagationFailed(position)) {
        require(velocity.x == 0.0 && velocity.y == 0.0 && velocity.z == 0.0 && velocity.w == 0.0);
        return;
    }
    for (const Vector4* v : {&position, &velocity}) {
        require(std::isfinite(v->x) && std::isfinite(v->y) && std::isfinite(v->z) && std::isfinite(v->w));
        require(v->w >= 0.0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto catalog = std::make_unique<SatelliteCatalog>();
    std::vector<char> buffer(data, data + size);
    const int count = loadElementSets(*catalog, buffer.data(), static_cast<long>(buffer.size()));
    const double minutes[] = {0.0, 95.5, -1440.0, 2880.0, 2900.0};
    for (int index = 0; index < count && index < 4; ++index) {
        for (int32_t engine : {0, kEngineSgp8}) {
            PropagatorState model;
            ElementSet working;
            const double epoch = JulianDateFromEpoch(catalog->entries[index].epoch);
            uint8_t initialised = 0;
            for (double t : minutes) {
                Vector4 position, velocity;
                propagateSatellite(model, *catalog, epoch + t / 1440.0, working, index, velocity, position,
                                   initialised, engine);
                requireSound(position, velocity);
                initialised = 1;
            }
        }
    }
    return 0;
}
