#include "ui/views/map_tracks.hpp"

#include <cmath>
#include <cstring>

#include "astro/geodetic.hpp"
#include "orbit/propagation.hpp"

namespace vantrek {

namespace {

bool sameElements(const ElementSet& a, const ElementSet& b) {
    return a.epoch == b.epoch && a.catalogNumber == b.catalogNumber && a.meanMotion == b.meanMotion &&
           a.eccentricity == b.eccentricity && a.inclination == b.inclination && a.raan == b.raan &&
           a.argPerigee == b.argPerigee && a.meanAnomaly == b.meanAnomaly && a.bstar == b.bstar &&
           a.meanMotionDot == b.meanMotionDot;
}

void restart(SatelliteTrack& track, const ElementSet& set, int32_t engine, double gridDays, int64_t first) {
    track.set = set;
    track.engine = engine;
    track.gridDays = gridDays;
    track.firstInstant = first;
    track.points.clear();
    track.endsInFailure = false;
}

}  // namespace

const SatelliteTrack& UpdateTrack(SatelliteTrack& track, PropagatorState& model, const SatelliteCatalog& catalog,
                                  int32_t engine, int index, double jd, double leadDays, double gridDays,
                                  int count) {
    const ElementSet& set = catalog.entries[static_cast<std::size_t>(index)];
    const double firstGrid = std::ceil((jd + leadDays) / gridDays);
    // A date or a step that is no usable number gives no track.
    if (!std::isfinite(firstGrid) || std::fabs(firstGrid) > 9e15 || count <= 0) {
        restart(track, set, engine, gridDays, 0);
        return track;
    }
    const int64_t first = static_cast<int64_t>(firstGrid);

    const bool reusable = track.engine == engine && track.gridDays == gridDays && sameElements(track.set, set) &&
                          first >= track.firstInstant && first <= track.firstInstant + static_cast<int64_t>(track.points.size());
    if (!reusable) {
        restart(track, set, engine, gridDays, first);
    } else {
        track.points.erase(track.points.begin(), track.points.begin() + (first - track.firstInstant));
        track.firstInstant = first;
    }

    ElementSet working;
    bool initialised = false;
    while (!track.endsInFailure && static_cast<int>(track.points.size()) < count) {
        const double t = static_cast<double>(track.firstInstant + static_cast<int64_t>(track.points.size())) * gridDays;
        Vector4 velocity;
        TrackPoint point;
        propagateSatellite(model, catalog, t, working, index, velocity, point.position, initialised ? 1 : 0, engine);
        // Deep-space orbits are not kept: their next frame starts afresh.
        if (!initialised && working.deepSpace) track.engine = -1;
        initialised = true;
        if (propagationFailed(point.position)) {
            track.endsInFailure = true;
            break;
        }
        GeodeticPoint under;
        GeodeticFromEci(t, point.position, under);
        point.latitude = under.latitude;
        point.longitude = under.longitude;
        track.points.push_back(point);
    }
    return track;
}

}  // namespace vantrek
