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
#include "orbit/catalog_loading.hpp"
#include "orbit/propagation.hpp"
#include "orbit/two_line_format.hpp"
#include "ui/space_view_snapshot.hpp"

using namespace vantrek;

namespace {

struct HostileSet {
    std::string what;
    std::string line1;
    std::string line2;
};

const std::string kLine1 = "1 25544U 98067A   08264.51782528 -.00002182  00000-0 -11606-4 0  2927";
const std::string kLine2 = "2 25544  51.6416 247.4627 0006703 130.5360 325.0288 15.72125391563537";

// A line with the columns first..first+text-1 (numbered from 1) replaced.
std::string with(std::string line, int first, const std::string& text) {
    line.replace(static_cast<std::size_t>(first - 1), text.size(), text);
    return line;
}

std::vector<HostileSet> hostileSets() {
    const std::string deep2 = with(kLine2, 53, " 2.00600000");  // a 12-hour orbit
    const std::string geo2 = with(kLine2, 53, " 1.00270000");   // a 24-hour orbit
    std::vector<HostileSet> sets;
    for (const auto& [kind, line2] : {std::pair<const char*, std::string>{"near-Earth", kLine2},
                                      {"12-hour", deep2},
                                      {"24-hour", geo2}}) {
        sets.push_back({kind + std::string(": eccentricity 0.99999"), kLine1, with(line2, 27, "9999900")});
        sets.push_back({kind + std::string(": mean motion 0"), kLine1, with(line2, 53, " 0.00000000")});
        sets.push_back({kind + std::string(": negative B*"), with(kLine1, 54, "-99999-1"), line2});
        sets.push_back({kind + std::string(": large B*"), with(kLine1, 54, " 99999+2"), line2});
        sets.push_back({kind + std::string(": inclination 180"), kLine1, with(line2, 9, "180.0000")});
        sets.push_back({kind + std::string(": inclination 0"), kLine1, with(line2, 9, "  0.0000")});
        sets.push_back({kind + std::string(": eccentricity 0"), kLine1, with(line2, 27, "0000000")});
        sets.push_back({kind + std::string(": epoch year 57"), with(kLine1, 19, "57001.00000000"), line2});
        sets.push_back({kind + std::string(": epoch year 56"), with(kLine1, 19, "56366.99999999"), line2});
    }
    return sets;
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
    EXPECT_TRUE(std::isfinite(look.azimuth) && std::isfinite(look.elevation) &&
                std::isfinite(look.range) && std::isfinite(look.rangeRate))
        << where;

    GeodeticPoint point;
    GeodeticFromEci(jd, position, point);
    EXPECT_TRUE(std::isfinite(point.latitude) && std::isfinite(point.longitude) &&
                std::isfinite(point.height))
        << where;

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

TEST(HostileElementSets, EveryEngineGivesAFiniteStateOrTheFailureReport) {
    const std::vector<HostileSet> sets = hostileSets();
    auto catalog = std::make_unique<SatelliteCatalog>();
    auto model = std::make_unique<PropagatorState>();
    const double offsets[] = {0.0, 0.25, 1.0, 10.0, 100.0, 365.25, 3652.5, -1.0, -365.25};
    int failures = 0;
    int states = 0;
    for (const HostileSet& set : sets) {
        ASSERT_TRUE(parseElementSet("HOSTILE", set.line1.c_str(), set.line2.c_str(), catalog->entries[0]));
        catalog->count = 1;
        const double epoch = JulianDateFromEpoch(catalog->entries[0].epoch);
        for (int32_t engine : {0, kEngineSgp8}) {
            ElementSet working;
            uint8_t initialised = 0;
            for (double offset : offsets) {
                Vector4 position, velocity;
                propagateSatellite(*model, *catalog, epoch + offset, working, 0, velocity, position,
                                   initialised, engine);
                initialised = 1;
                const std::string where = set.what + " engine " + std::to_string(engine) +
                                          " day " + std::to_string(offset) + " " + set.line2;
                if (propagationFailed(position)) {
                    EXPECT_TRUE(allZero(position) && allZero(velocity)) << where;
                    ++failures;
                    continue;
                }
                ASSERT_TRUE(finite(position) && finite(velocity)) << where;
                ++states;
                checkViews(epoch + offset, position, velocity, where);
            }
        }
    }
    // Both outcomes occur: the sets are hostile, not all hopeless.
    EXPECT_GT(failures, 0);
    EXPECT_GT(states, 0);
}

TEST(HostileElementSets, SpaceViewSnapshotStaysFinite) {
    const std::vector<HostileSet> sets = hostileSets();
    auto catalog = std::make_unique<SatelliteCatalog>();
    for (std::size_t i = 0; i < sets.size(); ++i) {
        parseElementSet("HOSTILE", sets[i].line1.c_str(), sets[i].line2.c_str(), catalog->entries[i]);
        catalog->selected[i] = 1;
    }
    catalog->count = static_cast<int32_t>(sets.size());
    auto model = std::make_unique<PropagatorState>();
    auto snapshot = std::make_unique<SpaceViewSnapshot>();
    Observer observer;
    const double now = JulianDateFromCalendar(2026, 12, 6, 12, 0, 0, 0);
    for (int current = 0; current < catalog->count; ++current) {
        catalog->current = current;
        for (int32_t engine : {0, kEngineSgp8}) {
            takeSpaceViewSnapshot(now, current == 0, engine, *catalog, observer, *model, *snapshot);
            for (int i = 0; i < catalog->count; ++i) {
                if (snapshot->satelliteShown[i]) {
                    EXPECT_TRUE(finite(snapshot->satellites[i])) << sets[i].what;
                }
            }
            ASSERT_GE(snapshot->currentOrbitCount, 0);
            ASSERT_LE(snapshot->currentOrbitCount, kCurrentOrbitPoints);
            for (int k = 0; k < snapshot->currentOrbitCount; ++k) {
                ASSERT_TRUE(finite(snapshot->currentOrbit[k])) << sets[current].what << " point " << k;
            }
        }
    }
}
