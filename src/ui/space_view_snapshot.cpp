#include "ui/space_view_snapshot.hpp"

#include <cmath>

#include "astro/constants.hpp"
#include "astro/moon.hpp"
#include "orbit/current_satellite.hpp"
#include "orbit/propagation.hpp"

namespace vantrek {

namespace {

Vector4 toSpaceUnits(double x, double y, double z) {
    Vector4 v{x * kSpaceViewUnitsPerKm, y * kSpaceViewUnitsPerKm, z * kSpaceViewUnitsPerKm, 0.0};
    v.w = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return v;
}

Vector4 difference(const Vector4& a, const Vector4& b) { return toSpaceUnits(a.x - b.x, a.y - b.y, a.z - b.z); }

// 720 points spread evenly over one revolution of each body, so that
// neighbouring points are neighbours on the orbit.
void fillRingCache(double now, SpaceViewSnapshot& out) {
    for (int16_t code = 0; code < kPlanetRowCount; ++code) {
        const double revolution = kTwoPi / PlanetElements[PlanetRow(code)].dailyMotion;  // days
        for (int k = 0; k < kOrbitRingPoints; ++k) {
            PlanetHeliocentric(now + k * revolution / kOrbitRingPoints, code, out.ringCache[code][k]);
        }
    }
    out.ringCacheFilled = true;
}

Vector4 moonInSpace(double jd) {
    Observer greenwichEquator;
    greenwichEquator.latitude = greenwichEquator.longitude = greenwichEquator.height = 0.0;
    MoonHorizon horizon;
    MoonEquatorial equatorial;
    MoonPosition(jd - kMoonEpochJulianDate, greenwichEquator, horizon, equatorial);
    Vector4 km;
    MoonSpaceVector(jd, equatorial, km);
    return toSpaceUnits(km.x, km.y, km.z);
}

void propagateCurrentOrbit(double now, int32_t engine, const SatelliteCatalog& catalog, PropagatorState& model,
                           SpaceViewSnapshot& out) {
    out.currentOrbitCount = 0;
    const int index = catalog.current;
    if (index < 0 || index >= loadedSatelliteCount(catalog)) return;
    ElementSet working;
    Vector4 velocity, position;
    propagateSatellite(model, catalog, now, working, index, velocity, position, 0, engine);
    if (propagationFailed(position)) return;
    const double period = working.period;  // minutes, stored by the initialisation
    if (!std::isfinite(period) || period <= 0.0) return;
    for (int k = 0; k < kCurrentOrbitPoints; ++k) {
        const double jd = now + k * period / 1440000.0;  // 1000 steps of period / 1000 minutes
        propagateSatellite(model, catalog, jd, working, index, velocity, position, 1, engine);
        if (propagationFailed(position)) return;
        out.currentOrbit[k] = toSpaceUnits(position.x, position.y, position.z);
        out.currentOrbitCount = k + 1;
    }
}

}  // namespace

void takeSpaceViewSnapshot(double now, bool showPlanets, int32_t engine, const SatelliteCatalog& catalog,
                           Observer& observer, PropagatorState& model, SpaceViewSnapshot& out) {
    out.julianDate = now;

    Vector4 earth;
    PlanetHeliocentric(now, kEarth, earth);
    out.sun = toSpaceUnits(-earth.x, -earth.y, -earth.z);

    out.planetsShown = showPlanets;
    if (showPlanets) {
        for (int16_t code = kMercury; code <= kPluto; ++code) {
            Vector4 planet;
            PlanetHeliocentric(now, code, planet);
            out.planets[code] = difference(planet, earth);
        }
        if (!out.ringCacheFilled) fillRingCache(now, out);
        for (int code = 0; code < kPlanetRowCount; ++code) {
            for (int k = 0; k < kOrbitRingPoints; ++k) out.rings[code][k] = difference(out.ringCache[code][k], earth);
        }
    }

    out.moon = moonInSpace(now);
    for (int k = 0; k < kMoonPathPoints; ++k) out.moonPath[k] = moonInSpace(now + k * kMoonPathStep);

    const int count = loadedSatelliteCount(catalog);
    out.satelliteShown.assign(static_cast<std::size_t>(count), 0);
    out.satellites.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        if (catalog.selected[i] != 1) continue;
        ElementSet working;
        Vector4 velocity, position;
        propagateSatellite(model, catalog, now, working, i, velocity, position, 0, engine);
        if (propagationFailed(position)) continue;
        out.satellites[i] = toSpaceUnits(position.x, position.y, position.z);
        out.satelliteShown[i] = 1;
    }

    propagateCurrentOrbit(now, engine, catalog, model, out);

    Vector4 site, siteVelocity;
    ObserverEci(now, observer, site, siteVelocity);
    out.observer = toSpaceUnits(site.x, site.y, site.z);
}

}  // namespace vantrek
