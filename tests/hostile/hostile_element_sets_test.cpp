// Element sets that parse but describe no usable orbit, through every engine
// and every function that turns a satellite into something drawn: each
// result is either finite or the documented "cannot propagate" report, and no
// pixel is ever made from a value that is not a finite number.
#include <cmath>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "astro/geodetic.hpp"
#include "astro/julian_date.hpp"
#include "astro/look_angles.hpp"
#include "astro/observer.hpp"
#include "astro/projections.hpp"
#include "ui/space_view_snapshot.hpp"
#include "../support/orbit_fixtures.hpp"

using namespace vantrek;

namespace {

bool finite(const Vector4& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z) && std::isfinite(v.w);
}

bool allZero(const Vector4& v) { return v.x == 0.0 && v.y == 0.0 && v.z == 0.0 && v.w == 0.0; }

bool onScreenOrOff(const PixelPoint& p) {
    const bool off = p.x == kPixelOffscreen && p.y == kPixelOffscreen;
    return off || (std::abs(p.x) <= kPixelLimit && std::abs(p.y) <= kPixelLimit);
}

// Every view-facing conversion of one propagated state.
void checkViews(double jd, const Vector4& position, const Vector4& velocity, const std::string& where) {
    Observer observer;
    LookAngles look;
    ComputeLookAngles(jd, position, velocity, observer, look, 1, 1);
    EXPECT_TRUE(finite(Vector4{look.azimuth, look.elevation, look.range, look.rangeRate})) << where;
    GeodeticPoint point;
    GeodeticFromEci(jd, position, point);
    EXPECT_TRUE(finite(Vector4{point.latitude, point.longitude, point.height, 0.0})) << where;

    PixelPoint pixel;
    double longitude = point.longitude;
    MapPixel(point.latitude, longitude, 898, 450, pixel);
    EXPECT_TRUE(onScreenOrOff(pixel)) << where;
    for (double bearing = 0.0; bearing < 360.0; bearing += 45.0) {
        FootprintPoint(point, bearing, 898, 450, pixel);
        EXPECT_TRUE(onScreenOrOff(pixel)) << where;
    }
    SkyChartPixel(ScreenVector{1.0, 0.0}, ScreenVector{0.0, -1.0}, look, 400, 450, 1, pixel);
    EXPECT_TRUE(onScreenOrOff(pixel)) << where;
}

}  // namespace

// Every engine at every offset from the epoch, then the space view's snapshot
// with each set current; both outcomes occur: the sets are hostile, not all hopeless.
TEST(HostileElementSets, EveryEngineGivesAFiniteStateOrTheFailureReportAndTheSnapshotStaysFinite) {
    // hostile_sets.tle: the ISS set with one edit each (its name says which),
    // as a near-Earth (LEO), a 12-hour and a 24-hour orbit.
    const auto catalog = vantrek::testing::loaded(
        vantrek::testing::readText(std::string(VANTREK_TESTS_DIR) + "/data/orbit/hostile_sets.tle"));
    ASSERT_EQ(catalog->count, 27);
    auto model = std::make_unique<PropagatorState>();
    auto snapshot = std::make_unique<SpaceViewSnapshot>();
    const auto what = [&](int set) { return std::string(catalog->entries[set].name); };
    const double offsets[] = {0.0, 0.25, 1.0, 10.0, 100.0, 365.25, 3652.5, -1.0, -365.25};
    const double now = JulianDateFromCalendar(2026, 12, 6, 12, 0, 0, 0);
    Observer observer;
    int failures = 0, states = 0;
    for (int set = 0; set < catalog->count; ++set) {
        const double epoch = JulianDateFromEpoch(catalog->entries[set].epoch);
        for (int32_t engine : {0, kEngineSgp8}) {
            ElementSet working;
            uint8_t initialised = 0;
            for (double offset : offsets) {
                Vector4 position, velocity;
                propagateSatellite(*model, *catalog, epoch + offset, working, set, velocity, position,
                                   initialised, engine);
                initialised = 1;
                const std::string where = what(set) + " engine " + std::to_string(engine) + " day " +
                                          std::to_string(offset);
                if (propagationFailed(position)) {
                    EXPECT_TRUE(allZero(position) && allZero(velocity)) << where;
                    ++failures;
                    continue;
                }
                ASSERT_TRUE(finite(position) && finite(velocity)) << where;
                ++states;
                checkViews(epoch + offset, position, velocity, where);
            }

            catalog->current = set;
            takeSpaceViewSnapshot(now, set == 0, engine, *catalog, observer, *model, *snapshot);
            for (int i = 0; i < catalog->count; ++i) {
                EXPECT_TRUE(!snapshot->satelliteShown[i] || finite(snapshot->satellites[i])) << what(i);
            }
            ASSERT_LE(snapshot->currentOrbitCount, kCurrentOrbitPoints);
            for (int k = 0; k < snapshot->currentOrbitCount; ++k) {
                ASSERT_TRUE(finite(snapshot->currentOrbit[k])) << what(set) << " point " << k;
            }
        }
    }
    EXPECT_GT(failures, 0);
    EXPECT_GT(states, 0);
}
