#include "observe/pass_search.hpp"

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "observe/pass_search_settings.hpp"
#include "observe/visibility_code.hpp"
#include "observe/visibility_status.hpp"
#include "observe_fixtures.hpp"
#include "../support/synthetic_catalog.hpp"

using namespace vantrek;
using namespace vantrek::testing;

namespace {

class PassSearch : public ::testing::Test {
protected:
    void SetUp() override { options.start = JulianDateFromEpoch(kEpoch); }

    int32_t run(const PassSearchProgressFn& progress = {}) {
        return RunPassSearch(*model, *catalog, working, observer, options, *results, progress);
    }

    std::vector<PredictionRow> rowsOf(int index) const {
        std::vector<PredictionRow> rows;
        for (int r = 0; r < results->count; ++r) {
            if (results->rows[r].satelliteIndex == index) rows.push_back(results->rows[r]);
        }
        return rows;
    }

    std::unique_ptr<SatelliteCatalog> catalog = std::make_unique<SatelliteCatalog>();
    std::unique_ptr<PropagatorState> model = std::make_unique<PropagatorState>();
    std::unique_ptr<PredictionResults> results = std::make_unique<PredictionResults>();
    ElementSet working;
    Observer observer = observerAt(54.3, 10.12);
    PassSearchOptions options;
};

}  // namespace

TEST(PassSearchOptions, OutOfRangeOrNotANumberIsReplacedAndFlareExclusions) {
    auto values = [](const PassSearchOptions& o) {
        return std::make_tuple(o.hours, o.minimumMagnitude, o.limits.satelliteElevation,
                               o.limits.sunElevation);
    };
    const PassSearchOptions edge{0.0, 100.0, {kHalfPi, -kHalfPi}, 0, 1, 0.0, 0};
    EXPECT_EQ(values(CheckedPassSearchOptions(edge)), values(edge));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const PassSearchOptions badOptions[] = {
        {0.0, -1.0, {-0.001, -kHalfPi - 1e-9}, 0, 1, -0.5, 0},
        {0.0, 100.5, {kHalfPi + 1e-9, kHalfPi + 1e-9}, 0, 1, 21.0, 0},
        {0.0, nan, {nan, nan}, 0, 1, nan, 0},
    };
    for (const PassSearchOptions& bad : badOptions) {
        EXPECT_EQ(values(CheckedPassSearchOptions(bad)), std::make_tuple(1.0, 20.0, 0.0, 0.0));
    }
    for (int32_t number : {24836, 24925, 25527}) EXPECT_TRUE(IsFlareExcluded(number)) << number;
    for (int32_t number : {24835, 24837, 25528, 0}) EXPECT_FALSE(IsFlareExcluded(number)) << number;
}

// Which passes the search finds is checked against Skyfield's (pass details) and
// the exhaustive walk (the digest below); here, what it lists of them.
TEST_F(PassSearch, UnselectedSetsAreSkippedAndTheFilterChangesTheRowsNotTheCount) {
    AddToCatalog(*catalog, orbitAt(90002, 800.0, 98.6, 300.0, 120.0));  // visible passes at night
    AddToCatalog(*catalog, catalog->entries[0]);
    catalog->selected[1] = 0;
    results->count = 7;  // the rows of an earlier search are dropped
    const int32_t passes = run();
    ASSERT_GE(passes, 4);
    EXPECT_TRUE(rowsOf(1).empty());
    for (int r = 0; r < results->count; ++r) {
        const PredictionRow& row = results->rows[r];
        EXPECT_GE(row.time, options.start);
        EXPECT_GE(row.code, kVisibilityEclipsed);
        EXPECT_LE(row.code, kVisibilityVisible);
        EXPECT_EQ(row.code == kVisibilityVisible, row.magnitude < 100.0);
    }

    options.magnitudeFilter = 1;
    EXPECT_EQ(run(), passes);
    ASSERT_GT(results->count, 0);
    for (int r = 0; r < results->count; ++r) {
        EXPECT_EQ(results->rows[r].code, kVisibilityVisible);
        EXPECT_LT(results->rows[r].magnitude, 20.0);
    }
    options.minimumMagnitude = 0.0;
    run();
    for (int r = 0; r < results->count; ++r) EXPECT_LT(results->rows[r].magnitude, 0.0);
}

TEST_F(PassSearch, GeostationarySatelliteIsSkippedInNormalModeOnlyAndTheBarFills) {
    observer = observerAt(0.0, 10.0);
    AddToCatalog(*catalog, geostationaryOver(90005, 10.0));
    ASSERT_GT(elevationAt(*model, *catalog, 0, observer, options.start, working), 80.0 * kDegree);
    options.hours = 2.0;
    std::vector<PassSearchProgress> reports;
    auto record = [&](const PassSearchProgress& p) { reports.push_back(p); };
    run(record);
    EXPECT_EQ(results->count, 0);
    for (const PassSearchProgress& p : reports) EXPECT_EQ(p.tenthsDone, 0);
    EXPECT_EQ(reports.back().satellitesDone, 1);

    options.flareMode = 1;
    run(record);
    EXPECT_EQ(reports.back().tenthsDone, 10);  // walked through the whole period
    options.hours = 0.0;  // an empty period: the bar is full after one step
    run(record);
    EXPECT_EQ(reports.back().tenthsDone, 10);
}

// The satellites shared among threads give the rows, their order, the pass
// count and the full mark of one thread, also where the row cap cuts the list
// in the middle of a satellite.
TEST(PassSearchThreads, RowsOrderAndCountOfOneThreadAndTheRowCap) {
    const auto catalog = SyntheticCatalog();  // low, navigation and geostationary orbits
    for (int k = 0; k < 400; k += 3) catalog->selected[k] = 0;
    for (const auto& [flareMode, maxRows] : {std::pair{0, 301}, {0, 57}, {1, 301}}) {
        SCOPED_TRACE(::testing::Message() << "flare mode " << flareMode << ", " << maxRows << " rows");
        PassSearchOptions options;
        options.start = JulianDateFromEpoch(kSyntheticEpoch) + 0.3;
        options.hours = 12.0;
        options.flareMode = flareMode;
        options.maxRows = maxRows;
        Observer observer = observerAt(-33.9, 151.2);
        auto model = std::make_unique<PropagatorState>();
        ElementSet working;
        PredictionResults one, shared;
        const int32_t passes = RunPassSearch(*model, *catalog, working, observer, options, one);
        EXPECT_EQ(RunPassSearchOnThreads(*catalog, observer, options, shared, 3), passes);
        ASSERT_EQ(shared.count, one.count);
        EXPECT_EQ(shared.full, one.full);
        for (int r = 0; r < one.count; ++r) {
            const PredictionRow &a = one.rows[r], &b = shared.rows[r];
            ASSERT_EQ(std::tie(a.satelliteIndex, a.code, a.time, a.magnitude, a.flareAngle),
                      std::tie(b.satelliteIndex, b.code, b.time, b.magnitude, b.flareAngle)) << r;
        }
        if (flareMode == 1) continue;
        // The list fills. The satellites after it are still walked, but each stops at
        // its first row, whose pass is never counted: leaving them out changes nothing.
        ASSERT_TRUE(one.full);
        ASSERT_EQ(one.count, maxRows);
        const std::vector<int32_t> selected = catalog->selected;
        for (int k = one.rows.back().satelliteIndex + 1; k < catalog->count; ++k) catalog->selected[k] = 0;
        EXPECT_EQ(RunPassSearch(*model, *catalog, working, observer, options, shared), passes);
        catalog->selected = selected;
    }
}

TEST_F(PassSearch, FlaresAreListedAtTheirPeakOneSecondBeforeTheyFade) {
    // An Iridium-like constellation: 6 planes of 11 at 780 km, 86.4 degrees.
    for (int plane = 0; plane < 6; ++plane) {
        for (int slot = 0; slot < 11; ++slot) {
            AddToCatalog(*catalog, orbitAt(30000 + plane * 11 + slot, 780.0, 86.4, 31.6 * plane,
                                           slot * 360.0 / 11 + plane * 16.0));
        }
    }
    catalog->entries[0].catalogNumber = 24836;  // on the exclusion list
    options.flareMode = 1;
    EXPECT_GT(run(), 0);
    ASSERT_GT(results->count, 0);
    for (int r = 0; r < results->count; ++r) {
        const PredictionRow& row = results->rows[r];
        EXPECT_NE(row.satelliteIndex, 0);
        EXPECT_EQ(row.code, kVisibilityFlare);
        ASSERT_LT(row.magnitude, 100.0);
        // The listed magnitude and angle are those of the listed instant ...
        double magnitude = 0.0;
        FlareResult flare;
        auto status = [&](double t) {
            return VisibilityStatus(*model, *catalog, t, working, row.satelliteIndex, observer, 0,
                                    options.limits, 0, 1, magnitude, flare);
        };
        status(row.time);
        EXPECT_DOUBLE_EQ(magnitude, row.magnitude);
        EXPECT_DOUBLE_EQ(flare.angle, row.flareAngle);
        // ... a second later, when the search saw it fade, it was fainter.
        EXPECT_EQ(status(row.time + kSecond), kVisibilityFlare);
        EXPECT_GT(magnitude, row.magnitude);
    }
}

namespace {

// One number for everything a search lists: the pass count and every row's
// code, satellite, exact time, and magnitude and flare angle to far below
// their printed digits.
uint64_t searchDigest(const PassSearchOptions& options, int32_t& passes, int32_t& rows) {
    const auto all = SyntheticCatalog();
    auto part = std::make_unique<SatelliteCatalog>();
    resizeCatalog(*part, 20);
    auto model = std::make_unique<PropagatorState>();
    auto results = std::make_unique<PredictionResults>();
    ElementSet working;
    Observer observer;
    uint64_t digest = 1469598103934665603ull;
    auto mix = [&digest](int64_t v) { digest = (digest ^ static_cast<uint64_t>(v)) * 1099511628211ull; };
    passes = rows = 0;
    for (int p = 0; p < 20; ++p) {  // 20 searches of 20 sets: the list never fills
        for (int k = 0; k < 20; ++k) {
            part->entries[k] = all->entries[20 * p + k];
            part->selected[k] = 1;
        }
        const int32_t n = RunPassSearch(*model, *part, working, observer, options, *results);
        passes += n;
        mix(n);
        for (int r = 0; r < results->count; ++r) {
            const PredictionRow& row = results->rows[r];
            int64_t timeBits = 0;
            std::memcpy(&timeBits, &row.time, sizeof timeBits);
            const int64_t values[] = {row.code, row.satelliteIndex, timeBits, std::llround(row.magnitude * 1e4),
                                      std::llround(row.flareAngle * 1e6)};
            for (int64_t v : values) mix(v);
        }
        rows += results->count;
    }
    return digest;
}

}  // namespace

// The figures the search gave before its steps below the horizon were skipped
// and before it stopped reinitialising near-Earth models: a promise of quiet
// (SecondsBelowHorizon) that runs past a rise loses or moves rows here.
TEST(PassSearchDigest, MatchesTheExhaustiveWalk) {
    struct Case {
        int32_t flareMode, engine;
        int32_t passes, rows;
        uint64_t digest;
    };
    const Case cases[] = {{0, 0, 1692, 1824, 0x5674e85fba5881c6ull},
                          {1, 0, 1791, 75, 0xd187be102092a033ull},
                          {0, kEngineSgp8, 1692, 1824, 0x109cdfeb5fd28bfcull}};
    for (const Case& c : cases) {
        PassSearchOptions options;
        options.start = JulianDateFromEpoch(kSyntheticEpoch) + 0.75;
        options.hours = 24.0;
        options.flareMode = c.flareMode;
        options.engine = c.engine;
        int32_t passes = 0, rows = 0;
        const uint64_t digest = searchDigest(options, passes, rows);
        EXPECT_EQ(passes, c.passes) << "flare mode " << c.flareMode << " engine " << c.engine;
        EXPECT_EQ(rows, c.rows);
        EXPECT_EQ(digest, c.digest) << std::hex << digest;
    }
}
