#pragma once

#include <cstdint>
#include <memory>

#include "astro/look_angles.hpp"
#include "astro/observer.hpp"
#include "orbit/element_set.hpp"
#include "orbit/propagator_state.hpp"
#include "station/rotator_plan.hpp"

namespace vantrek {

// The station's own propagation of one catalogue entry, apart from the model
// state the views share while they draw.
struct SatelliteLook {
    std::unique_ptr<PropagatorState> model = std::make_unique<PropagatorState>();
    ElementSet working;
    ElementSet initialisedFrom;  // the entry the model was initialised for
    int index = -1;
    int32_t engine = 0;
};

// The geometric look angles (no refraction) of catalogue entry `index` at
// `jd`. The model is initialised again when the entry, its elements or the
// engine change. False when the entry does not exist or has no finite state.
bool LookAtSatellite(SatelliteLook& look, const SatelliteCatalog& catalog, int index, const Observer& observer,
                     double jd, int32_t engine, LookAngles& angles);

// A search for passes above `minElevation` (rad).
struct PassQuery {
    double fromJd = 0.0;
    double horizonDays = 0.0;    // how far ahead a rise is looked for
    double minElevation = 0.0;   // rad
    int32_t engine = 0;
};

// The pass in progress at query.fromJd, or the next one rising within the
// horizon: rise and set refined to a tenth of a second, the look angles every
// second between them (every few seconds for passes of hours, which are cut
// at six hours either side). False when there is none.
bool FindPassTrack(SatelliteLook& look, const SatelliteCatalog& catalog, int index, const Observer& observer,
                   const PassQuery& query, PassTrack& track);

}  // namespace vantrek
