// The pass search: what it lists, its threads, the digest of the exhaustive
// walk, and its passes' details against an independent library (rise,
// culmination and set of the reference passes Skyfield found,
// data/reference/pass_reference.txt).
#include "observe/pass_search.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <limits>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "observe/pass_details.hpp"
#include "observe/pass_search_settings.hpp"
#include "observe/visibility_code.hpp"
#include "observe/visibility_status.hpp"
#include "observe_fixtures.hpp"
#include "../support/orbit_fixtures.hpp"
#include "../support/synthetic_catalog.hpp"

using namespace vantrek;
using namespace vantrek::testing;

namespace {

// A pass Skyfield found: UTC Julian dates and degrees.
struct SkyfieldPass {
    int32_t catalogNumber = 0;
    std::string riseText;
    double rise = 0.0, riseAzimuth = 0.0, top = 0.0, topElevation = 0.0, set = 0.0, setAzimuth = 0.0;
};

struct Reference {
    double latitude = 0.0, longitude = 0.0, height = 0.0, limit = 0.0;  // degrees, km
    double start = 0.0, hours = 0.0;
    std::vector<SkyfieldPass> passes;
};

// "2024-03-20T21:29:33.230Z"
double julianFromIso(const std::string& text) {
    int y, mo, d, h, mi, s, ms;
    return std::sscanf(text.c_str(), "%d-%d-%dT%d:%d:%d.%dZ", &y, &mo, &d, &h, &mi, &s, &ms) == 7
               ? JulianDateFromCalendar(y, mo, d, h, mi, s, ms)
               : NAN;
}

Reference readReference() {
    Reference r;
    std::ifstream file(std::string(VANTREK_REFERENCE_DATA_DIR) + "/pass_reference.txt");
    for (std::string line; std::getline(file, line);) {
        std::istringstream in(line);
        std::string key, start, top, set;
        double topAzimuth = 0.0;
        SkyfieldPass p;
        in >> key;
        if (key == "observer") in >> r.latitude >> r.longitude >> r.height;
        if (key == "limit") in >> r.limit;
        if (key == "period" && in >> start >> r.hours) r.start = julianFromIso(start);
        if (key != "pass" || !(in >> p.catalogNumber >> p.riseText >> p.riseAzimuth >> top >> p.topElevation >>
                               topAzimuth >> set >> p.setAzimuth))
            continue;
        p.rise = julianFromIso(p.riseText);
        p.top = julianFromIso(top);
        p.set = julianFromIso(set);
        r.passes.push_back(p);
    }
    return r;
}

double azimuthDifference(double a, double b) {
    return std::fabs(std::remainder(a - b, 360.0));
}

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

// The satellites shared among threads give the rows, their order, the pass
// count and the full mark of one thread, also where the row cap cuts the list
// in the middle of a satellite.
TEST(PassSearchThreads, RowsOrderAndCountOfOneThreadAndTheRowCap) {
    const auto catalog = SyntheticCatalog();  // low, navigation and geostationary orbits
    for (int k = 0; k < 400; k += 3) catalog->selected[k] = 0;
    for (const auto& [flareMode, maxRows] : {std::pair{0, 301}, {0, 57}, {1, 301}}) {
        SCOPED_TRACE(::testing::Message() << "flare mode " << flareMode << ", " << maxRows << " rows");
        const PassSearchOptions options{JulianDateFromEpoch(kSyntheticEpoch) + 0.3, 12.0, {}, flareMode, 0, 20.0, 0,
                                        maxRows};
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
            EXPECT_NE(catalog->selected[a.satelliteIndex], 0) << r;  // an unselected set is skipped
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

TEST(PassSearch, FlaresAreListedAtTheirPeakOneSecondBeforeTheyFade) {
    // An Iridium-like constellation: 6 planes of 11 at 780 km, 86.4 degrees.
    auto catalog = std::make_unique<SatelliteCatalog>();
    for (int plane = 0; plane < 6; ++plane) {
        for (int slot = 0; slot < 11; ++slot) {
            AddToCatalog(*catalog, orbitAt(30000 + plane * 11 + slot, 780.0, 86.4, 31.6 * plane,
                                           slot * 360.0 / 11 + plane * 16.0));
        }
    }
    catalog->entries[0].catalogNumber = 24836;  // on the exclusion list
    auto model = std::make_unique<PropagatorState>();
    auto results = std::make_unique<PredictionResults>();
    ElementSet working;
    Observer observer = observerAt(54.3, 10.12);
    const PassSearchOptions options{JulianDateFromEpoch(kEpoch), 24.0, {}, 1};  // flares
    PassSearchProgress last;
    RunPassSearch(*model, *catalog, working, observer, options, *results,
                  [&](const PassSearchProgress& p) { last = p; });
    EXPECT_EQ(last.tenthsDone, 10);  // the whole period walked
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
        const PassSearchOptions options{JulianDateFromEpoch(kSyntheticEpoch) + 0.75, 24.0, {}, c.flareMode, 0, 20.0,
                                        c.engine};
        int32_t passes = 0, rows = 0;
        const uint64_t digest = searchDigest(options, passes, rows);
        EXPECT_EQ(passes, c.passes) << "flare mode " << c.flareMode << " engine " << c.engine;
        EXPECT_EQ(rows, c.rows);
        EXPECT_EQ(digest, c.digest) << std::hex << digest;
    }
}

TEST(PassDetails, AgreesWithSkyfieldOnRiseCulminationAndSet) {
    const Reference reference = readReference();
    ASSERT_GE(reference.passes.size(), 50u);
    const auto catalog = loaded(readText(std::string(VANTREK_REFERENCE_DATA_DIR) + "/pass_reference.tle"));
    ASSERT_EQ(catalog->count, 7);  // each selected

    Observer observer{reference.latitude * kDegree, reference.longitude * kDegree, reference.height};
    const PassSearchOptions options{reference.start, reference.hours, {reference.limit * kDegree}};
    auto model = std::make_unique<PropagatorState>();
    auto results = std::make_unique<PredictionResults>();
    ElementSet working;
    FlareResult flare;
    RunPassSearch(*model, *catalog, working, observer, options, *results);
    std::vector<PassDetails> details;
    ComputePassDetails(*catalog, observer, options, *results, details);
    ASSERT_EQ(details.size(), static_cast<size_t>(results->count));

    const double searchStepSeconds = 50.0;  // shorter passes may fall between the search's steps
    const double end = reference.start + reference.hours / 24.0;
    int matched = 0, visible = 0;
    std::vector<bool> used(details.size(), false);
    for (const SkyfieldPass& pass : reference.passes) {
        SCOPED_TRACE("Skyfield pass of " + std::to_string(pass.catalogNumber) + " rising " + pass.riseText);
        if (pass.rise > end - searchStepSeconds * kSecond) continue;  // the search may stop before it
        // A pass longer than three quarters of an orbit may have two rows.
        int found = -1;
        for (size_t d = 0; d < details.size(); ++d) {
            if (details[d].valid && details[d].catalogNumber == pass.catalogNumber &&
                std::fabs(details[d].aos - pass.rise) < 60.0 * kSecond) {
                found = static_cast<int>(d);
                used[d] = true;
            }
        }
        if (found < 0) {
            EXPECT_LT((pass.set - pass.rise) / kSecond, searchStepSeconds) << "missed";
            continue;
        }
        ++matched;
        const PassDetails& ours = details[found];
        EXPECT_FALSE(ours.upAtStart);
        // Rise and set to 1 s, their azimuths to 0.05 degrees, the top to 0.01 degrees.
        EXPECT_NEAR(ours.aos, pass.rise, kSecond);
        EXPECT_NEAR(ours.los, pass.set, kSecond);
        EXPECT_LT(azimuthDifference(ours.aosAzimuth / kDegree, pass.riseAzimuth), 0.05);
        EXPECT_LT(azimuthDifference(ours.losAzimuth / kDegree, pass.setAzimuth), 0.05);
        EXPECT_NEAR(ours.maxElevation / kDegree, pass.topElevation, 0.01);
        if (std::fabs(ours.tca - pass.top) >= 2.0 * kSecond) {
            // A top this flat (a high orbit's apogee) is placed by metres of
            // difference between the two models: there the culmination
            // Skyfield gives must be a top of ours too.
            const int index = results->rows[found].satelliteIndex;
            const double there = elevationAt(*model, *catalog, index, observer, pass.top, working) / kDegree;
            EXPECT_NEAR(there, ours.maxElevation / kDegree, 1e-5) << "culmination " << (ours.tca - pass.top) / kSecond;
        }

        // The visible part as the search's classifier sees it, second by second.
        double first = 0.0, last = 0.0, brightest = kNoMagnitude;
        for (double t = ours.aos + kSecond; t < ours.los; t += kSecond) {
            double magnitude = kNoMagnitude;
            if (VisibilityStatus(*model, *catalog, t, working, results->rows[found].satelliteIndex, observer,
                                 t > ours.aos + kSecond, options.limits, options.engine, 0, magnitude,
                                 flare) != kVisibilityVisible)
                continue;
            if (first == 0.0) first = t;
            last = t;
            brightest = std::min(brightest, magnitude);
        }
        ASSERT_EQ(ours.visible, first != 0.0);
        if (ours.visible) {
            EXPECT_NEAR(ours.visibleStart, first, 1.5 * kSecond);
            EXPECT_NEAR(ours.visibleEnd, last, 1.5 * kSecond);
            EXPECT_NEAR(ours.brightestMagnitude, brightest, 0.05);
            ++visible;
        }
    }
    EXPECT_GE(matched, 50);
    EXPECT_GT(visible, 10);
    // Every pass we found that rose inside the period is one Skyfield found.
    for (size_t d = 0; d < details.size(); ++d) {
        if (used[d] || !details[d].valid || details[d].upAtStart || details[d].aos > end) continue;
        ADD_FAILURE() << "pass of " << details[d].catalogNumber << " at " << details[d].aos
                      << " has no reference";
    }
    // A satellite up when the search begins (the Molniya orbit) rises at the start.
    int upAtStart = 0;
    for (const PassDetails& pass : details) {
        if (!pass.upAtStart) continue;
        ++upAtStart;
        EXPECT_EQ(pass.aos, reference.start);
        EXPECT_GT(pass.los, pass.tca);
    }
    EXPECT_GT(upAtStart, 0);
}
