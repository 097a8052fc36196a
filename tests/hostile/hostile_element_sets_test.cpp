// Element sets that parse but describe no usable orbit, through every engine
// and every function that turns a satellite into something drawn: each
// result is either finite or the documented "cannot propagate" report, and no
// pixel is ever made from a value that is not a finite number.
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "astro/geodetic.hpp"
#include "astro/julian_date.hpp"
#include "astro/look_angles.hpp"
#include "astro/observer.hpp"
#include "astro/projections.hpp"
#include "orbit/two_line_format.hpp"
#include "ui/space_view_snapshot.hpp"
#include "../support/orbit_fixtures.hpp"

using namespace vantrek;

namespace {

using vantrek::testing::kIssLine1;
using vantrek::testing::withColumns;

// Each edit of the ISS set, applied to a near-Earth, a 12-hour and a 24-hour
// orbit, into a catalogue with every set shown; `what` names them.
void loadHostileSets(SatelliteCatalog& catalog, std::vector<std::string>& what) {
    const struct {
        const char* what;
        int line, column;
        const char* text;
    } edits[] = {{"eccentricity 0.99999", 2, 27, "9999900"}, {"mean motion 0", 2, 53, " 0.00000000"},
                 {"negative B*", 1, 54, "-99999-1"},       {"large B*", 1, 54, " 99999+2"},
                 {"inclination 180", 2, 9, "180.0000"},    {"inclination 0", 2, 9, "  0.0000"},
                 {"eccentricity 0", 2, 27, "0000000"},     {"epoch year 57", 1, 19, "57001.00000000"},
                 {"epoch year 56", 1, 19, "56366.99999999"}};
    for (const auto& [kind, motion] : {std::pair<const char*, const char*>{"near-Earth", "15.72125391"},
                                       {"12-hour", " 2.00600000"}, {"24-hour", " 1.00270000"}}) {
        const std::string line2 = withColumns(vantrek::testing::kIssLine2, 53, motion);
        for (const auto& e : edits) {
            const std::string one = e.line == 1 ? withColumns(kIssLine1, e.column, e.text) : kIssLine1;
            const std::string two = e.line == 2 ? withColumns(line2, e.column, e.text) : line2;
            what.push_back(kind + std::string(": ") + e.what);
            ElementSet set;
            EXPECT_TRUE(parseElementSet("HOSTILE", one.c_str(), two.c_str(), set)) << what.back();
            vantrek::testing::AddToCatalog(catalog, set);
        }
    }
}

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
    auto catalog = std::make_unique<SatelliteCatalog>();
    auto model = std::make_unique<PropagatorState>();
    auto snapshot = std::make_unique<SpaceViewSnapshot>();
    std::vector<std::string> what;
    loadHostileSets(*catalog, what);
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
                const std::string where = what[set] + " engine " + std::to_string(engine) + " day " +
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
                EXPECT_TRUE(!snapshot->satelliteShown[i] || finite(snapshot->satellites[i])) << what[i];
            }
            ASSERT_LE(snapshot->currentOrbitCount, kCurrentOrbitPoints);
            for (int k = 0; k < snapshot->currentOrbitCount; ++k) {
                ASSERT_TRUE(finite(snapshot->currentOrbit[k])) << what[set] << " point " << k;
            }
        }
    }
    EXPECT_GT(failures, 0);
    EXPECT_GT(states, 0);
}
