#include "station/pass_track.hpp"

#include <algorithm>
#include <cmath>

#include "astro/constants.hpp"
#include "orbit/propagation.hpp"

namespace vantrek {

namespace {

constexpr double kSecondDays = 1.0 / 86400.0;
// Coarse steps find a pass; a pass lasting less than one step can be missed.
constexpr double kScanStepDays = 20.0 * kSecondDays;
constexpr double kEdgePrecisionDays = 0.1 * kSecondDays;
constexpr double kTrackStepDays = 1.0 * kSecondDays;
// Passes of hours (high orbits) are cut this far either side of the search
// start, and their tracks thinned to this many points.
constexpr double kLongestHalfPassDays = 6.0 / 24.0;
constexpr std::size_t kMostTrackPoints = 4000;

bool SameElements(const ElementSet& a, const ElementSet& b) {
    return a.catalogNumber == b.catalogNumber && a.epoch == b.epoch && a.meanMotion == b.meanMotion &&
           a.eccentricity == b.eccentricity && a.inclination == b.inclination && a.raan == b.raan &&
           a.argPerigee == b.argPerigee && a.meanAnomaly == b.meanAnomaly && a.bstar == b.bstar;
}

// Elevation at jd, or -90 degrees when there is no finite state.
double ElevationAt(SatelliteLook& look, const SatelliteCatalog& catalog, int index, const Observer& observer,
                   double jd, int32_t engine) {
    LookAngles angles;
    if (!LookAtSatellite(look, catalog, index, observer, jd, engine, angles)) return -kHalfPi;
    return angles.elevation;
}

// The instant between `below` and `above` (either order in time) where the
// elevation crosses the limit, by halving.
double Crossing(SatelliteLook& look, const SatelliteCatalog& catalog, int index, const Observer& observer,
                int32_t engine, double limit, double below, double above) {
    while (std::fabs(above - below) > kEdgePrecisionDays) {
        const double middle = 0.5 * (below + above);
        if (ElevationAt(look, catalog, index, observer, middle, engine) >= limit) {
            above = middle;
        } else {
            below = middle;
        }
    }
    return above;
}

// Walks from `start` (above the limit) in steps of `step` days (negative:
// back in time) until the elevation drops below it or `span` days have passed.
double Edge(SatelliteLook& look, const SatelliteCatalog& catalog, int index, const Observer& observer,
            int32_t engine, double limit, double start, double step, double span) {
    double inside = start;
    for (double walked = 0.0; walked < span; walked += std::fabs(step)) {
        const double next = inside + step;
        if (ElevationAt(look, catalog, index, observer, next, engine) < limit)
            return Crossing(look, catalog, index, observer, engine, limit, next, inside);
        inside = next;
    }
    return inside;  // cut: the pass goes on beyond the span
}

}  // namespace

bool LookAtSatellite(SatelliteLook& look, const SatelliteCatalog& catalog, int index, const Observer& observer,
                     double jd, int32_t engine, LookAngles& angles) {
    if (index < 0 || index >= catalog.count ||
        static_cast<std::size_t>(index) >= catalog.entries.size() || !std::isfinite(jd)) return false;
    const ElementSet& entry = catalog.entries[index];
    const bool initialised =
        look.index == index && look.engine == engine && SameElements(look.initialisedFrom, entry);
    Vector4 velocity, position;
    propagateSatellite(*look.model, catalog, jd, look.working, index, velocity, position, initialised ? 1 : 0,
                       engine);
    look.index = index;
    look.engine = engine;
    look.initialisedFrom = entry;
    if (propagationFailed(position)) return false;
    Observer at = observer;
    ComputeLookAngles(jd, position, velocity, at, angles, 1, 0);
    return std::isfinite(angles.azimuth) && std::isfinite(angles.elevation) && std::isfinite(angles.rangeRate);
}

bool FindPassTrack(SatelliteLook& look, const SatelliteCatalog& catalog, int index, const Observer& observer,
                   const PassQuery& query, PassTrack& track) {
    track.points.clear();
    const double limit = query.minElevation;
    const double from = query.fromJd;
    if (!std::isfinite(from) || !std::isfinite(limit) || !(query.horizonDays >= 0.0)) return false;

    double rise = from;
    if (ElevationAt(look, catalog, index, observer, from, query.engine) >= limit) {
        rise = Edge(look, catalog, index, observer, query.engine, limit, from, -kScanStepDays, kLongestHalfPassDays);
    } else {
        bool found = false;
        for (double t = from; t < from + query.horizonDays;) {
            const double next = std::min(t + kScanStepDays, from + query.horizonDays);
            if (ElevationAt(look, catalog, index, observer, next, query.engine) >= limit) {
                rise = Crossing(look, catalog, index, observer, query.engine, limit, t, next);
                found = true;
                break;
            }
            t = next;
        }
        if (!found) return false;
    }
    const double set = Edge(look, catalog, index, observer, query.engine, limit, std::max(rise, from),
                            kScanStepDays, kLongestHalfPassDays);

    const double duration = set - rise;
    const double step = std::max(kTrackStepDays, duration / static_cast<double>(kMostTrackPoints - 1));
    const long steps = static_cast<long>(std::ceil(duration / step - 1e-9));
    for (long i = 0; i <= steps; ++i) {
        const double jd = i == steps ? set : rise + static_cast<double>(i) * step;
        LookAngles angles;
        if (!LookAtSatellite(look, catalog, index, observer, jd, query.engine, angles)) {
            track.points.clear();
            return false;
        }
        track.points.push_back({jd, angles.azimuth / kDegree, angles.elevation / kDegree});
    }
    return !track.points.empty();
}

}  // namespace vantrek
