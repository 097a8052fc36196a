#pragma once

#include <cstdint>
#include <vector>

#include "astro/vector4.hpp"
#include "orbit/element_set.hpp"
#include "orbit/propagator_state.hpp"

namespace vantrek {

// Ground tracks are sampled on a grid of fixed instants (multiples of the
// step since Julian day 0), so that the track of a frame half a second later
// is, but for a point at either end, the same points: they are kept between
// frames and only the new ones are propagated. The pixels are those a fresh
// computation of the same grid gives.

// One point of a track: where the satellite is, and the point under it.
struct TrackPoint {
    Vector4 position;  // km, inertial
    double latitude = 0.0;
    double longitude = 0.0;  // rad, as the map pixel rule takes it
};

// The points of one satellite's track on consecutive grid instants.
struct SatelliteTrack {
    ElementSet set;            // the elements the points were propagated from
    int32_t engine = -1;
    double gridDays = 0.0;     // the grid's spacing
    int64_t firstInstant = 0;  // grid index of points[0]
    std::vector<TrackPoint> points;
    bool endsInFailure = false;  // the model has no state at the instant after the last point
};

// The tracks kept between frames, by catalogue slot. Only catalogues up to
// kMapTrackCacheSatellites keep theirs (a track is about 26 kB).
struct MapTrackCache {
    std::vector<SatelliteTrack> tracks;
};

constexpr int kMapTrackCacheSatellites = 2000;

// The track of catalogue entry `index` for the frame at `jd`: the grid
// instants from the first one at or after jd + lead to `count` instants on,
// `gridDays` apart, or fewer where the model fails. `track` is brought up
// to date: points still in the window are kept when the elements, the engine
// and the grid are the same, the rest propagated with `model` and a working
// set of its own. Deep-space orbits are always propagated afresh (their
// integrator's state follows the order of the calls).
const SatelliteTrack& UpdateTrack(SatelliteTrack& track, PropagatorState& model, const SatelliteCatalog& catalog,
                                  int32_t engine, int index, double jd, double leadDays, double gridDays,
                                  int count);

}  // namespace vantrek
