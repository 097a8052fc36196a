#include <cmath>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "astro/julian_date.hpp"
#include "astro/observer.hpp"
#include "astro/planets.hpp"
#include "orbit/catalog_loading.hpp"
#include "orbit/propagator_state.hpp"
#include "ui/space_view_snapshot.hpp"
#include "../support/sample_sets.hpp"

using namespace vantrek;

namespace {

constexpr double kAu = 149597870.691;

double distance(const Vector4& a, const Vector4& b) {
    return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) + (a.z - b.z) * (a.z - b.z));
}

// The sample catalogue, a fresh model and snapshot, and a time near the ISS epoch.
struct SnapshotWorld {
    std::unique_ptr<SatelliteCatalog> catalog = std::make_unique<SatelliteCatalog>();
    std::unique_ptr<PropagatorState> model = std::make_unique<PropagatorState>();
    std::unique_ptr<SpaceViewSnapshot> snapshot = std::make_unique<SpaceViewSnapshot>();
    const SpaceViewSnapshot& s = *snapshot;
    Observer observer;
    double now = JulianDateFromEpoch(08264.51782528) + 0.1;

    SnapshotWorld() {
        const std::string text = vantrek::testing::SampleSets();
        loadElementSets(*catalog, text.data(), static_cast<long>(text.size()));
        catalog->current = 0;  // ISS
    }
    void take(double jd, bool planets, int32_t engine = 0) {
        takeSpaceViewSnapshot(jd, planets, engine, *catalog, observer, *model, *snapshot);
    }
};

}  // namespace

TEST(SpaceViewSnapshot, SunMoonObserverSatellitesAndTheCurrentOrbitsOfBothEngines) {
    SnapshotWorld w;
    w.catalog->selected[3] = 0;
    w.take(w.now, false);
    const SpaceViewSnapshot& s = w.s;
    Vector4 earth;
    PlanetHeliocentric(w.now, kEarth, earth);
    EXPECT_NEAR(s.sun.w, earth.w * 0.01, 1e-3);  // 100 km to the unit
    EXPECT_NEAR(s.moon.w, 3907.7, 25.0);  // (384403 km + the Earth's radius) / 100 km
    EXPECT_EQ(distance(s.moonPath[0], s.moon), 0.0);
    // 28 days of the Moon's orbit: it comes back near its start.
    EXPECT_LT(distance(s.moonPath[kMoonPathPoints - 1], s.moon), 0.25 * s.moon.w);
    EXPECT_GT(distance(s.moonPath[kMoonPathPoints / 2], s.moon), 1.5 * s.moon.w);
    EXPECT_NEAR(s.observer.w, 63.64, 0.01);
    EXPECT_FALSE(s.planetsShown || s.ringCacheFilled);

    // The near-Earth sets propagate to 2008; the two deep-space ones, decades
    // from their epochs, are left to the propagation tests.
    for (int i : {0, 1, 4, 5, 7}) EXPECT_EQ(s.satelliteShown[i], 1) << i;
    EXPECT_EQ(s.satelliteShown[3], 0);  // not selected
    EXPECT_EQ(s.satelliteShown.size(), 8u);  // one flag per loaded set
    EXPECT_NEAR(s.satellites[0].w, 67.2, 0.5);  // ISS about 340 km up

    // The current satellite's next period.
    ASSERT_EQ(s.currentOrbitCount, kCurrentOrbitPoints);
    EXPECT_LT(distance(s.currentOrbit[0], s.satellites[0]), 1e-9);
    for (int k = 1; k < kCurrentOrbitPoints; ++k) {
        ASSERT_NEAR(s.currentOrbit[k].w, 67.2, 0.6) << k;
        ASSERT_LT(distance(s.currentOrbit[k], s.currentOrbit[k - 1]), 0.5) << k;  // about 43 km a step
    }
    // The last point is one step short of a full revolution.
    EXPECT_LT(distance(s.currentOrbit[kCurrentOrbitPoints - 1], s.currentOrbit[0]), 1.0);

    // A deep-space current orbit through the other engine.
    w.catalog->current = 6;  // Molniya, near its own epoch
    w.take(JulianDateFromEpoch(26340.5) + 0.2, false, 1);
    EXPECT_EQ(s.currentOrbitCount, kCurrentOrbitPoints);
    double highest = 0.0;
    for (int k = 0; k < s.currentOrbitCount; ++k) highest = std::fmax(highest, s.currentOrbit[k].w);
    EXPECT_GT(highest, 400.0);
}

TEST(SpaceViewSnapshot, PlanetsAndOrbitRings) {
    SnapshotWorld w;
    w.take(w.now, true);
    const SpaceViewSnapshot& s = w.s;
    ASSERT_TRUE(s.planetsShown && s.ringCacheFilled);
    Vector4 earth;
    PlanetHeliocentric(w.now, kEarth, earth);
    EXPECT_LT(s.rings[kEarth][0].w, 1e-6);  // the Earth's ring starts at the geocentric origin
    for (int16_t code = 0; code <= 8; ++code) {
        // Each ring holds its own body's orbit: between perihelion and aphelion.
        const PlanetElementRow& row = PlanetElements[PlanetRow(code)];
        for (int k = 0; k < kOrbitRingPoints; ++k) {
            ASSERT_NEAR(s.ringCache[code][k].w / kAu, row.semiMajorAxis, row.semiMajorAxis * row.eccentricity + 1e-9);
            ASSERT_NEAR(s.rings[code][k].x, (s.ringCache[code][k].x - earth.x) * 0.01, 1e-3);
        }
        Vector4 planet;
        PlanetHeliocentric(w.now, code, planet);
        if (code != kEarth) {
            EXPECT_NEAR(s.planets[code].y, (planet.y - earth.y) * 0.01, 1e-3);
        }
    }
    // A later tick reuses the orbit points and moves them with the Earth.
    const Vector4 cached = s.ringCache[4][100];
    w.take(w.now + 30.0, true);
    EXPECT_EQ(s.ringCache[4][100].x, cached.x);
    EXPECT_GT(s.rings[kEarth][0].w, 1e4);
}

TEST(SpaceViewSnapshot, SatellitesThatCannotBePropagatedAreLeftOut) {
    SnapshotWorld w;
    loadPlaceholderElementSet(*w.catalog);  // "No satellite", alone: mean motion 0
    w.take(w.now, false);
    EXPECT_EQ(w.s.satelliteShown[0], 0);
    EXPECT_EQ(w.s.currentOrbitCount, 0);
    w.catalog->current = 7;  // beyond the loaded entries
    w.take(w.now, false);
    EXPECT_EQ(w.s.currentOrbitCount, 0);
}
