// Pass details against an independent library: rise, culmination and set of
// the reference passes Skyfield found (data/reference/pass_reference.txt).
#include "observe/pass_details.hpp"

#include <algorithm>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "observe/pass_search.hpp"
#include "observe/visibility_code.hpp"
#include "observe/visibility_status.hpp"
#include "observe_fixtures.hpp"

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

// The visible part as the search's classifier sees it, second by second:
// first and last Visible instants and the brightest magnitude among them.
struct SecondBySecond {
    bool visible = false;
    double start = 0.0, end = 0.0, brightest = kNoMagnitude;
};

SecondBySecond scanVisibility(const SatelliteCatalog& catalog, int index, Observer observer,
                              const PassSearchOptions& options, const PassDetails& pass) {
    auto model = std::make_unique<PropagatorState>();
    ElementSet working;
    FlareResult flare;
    SecondBySecond scan;
    for (double t = pass.aos + kSecond; t < pass.los; t += kSecond) {
        double magnitude = kNoMagnitude;
        const int16_t code = VisibilityStatus(*model, catalog, t, working, index, observer, t > pass.aos + kSecond,
                                              options.limits, options.engine, 0, magnitude, flare);
        if (code != kVisibilityVisible) continue;
        if (!scan.visible) scan.start = t;
        scan.visible = true;
        scan.end = t;
        scan.brightest = std::min(scan.brightest, magnitude);
    }
    return scan;
}

double azimuthDifference(double a, double b) {
    return std::fabs(std::remainder(a - b, 360.0));
}

}  // namespace

TEST(PassDetails, AgreesWithSkyfieldOnRiseCulminationAndSet) {
    const Reference reference = readReference();
    ASSERT_GE(reference.passes.size(), 50u);
    std::ifstream tle(std::string(VANTREK_REFERENCE_DATA_DIR) + "/pass_reference.tle");
    const std::string sets((std::istreambuf_iterator<char>(tle)), std::istreambuf_iterator<char>());
    auto catalog = std::make_unique<SatelliteCatalog>();
    ASSERT_EQ(loadElementSets(*catalog, sets.data(), static_cast<long>(sets.size())), 7);
    for (int i = 0; i < catalog->count; ++i) catalog->selected[i] = 1;

    Observer observer{reference.latitude * kDegree, reference.longitude * kDegree, reference.height};
    PassSearchOptions options;
    options.start = reference.start;
    options.hours = reference.hours;
    options.limits.satelliteElevation = reference.limit * kDegree;
    auto model = std::make_unique<PropagatorState>();
    auto results = std::make_unique<PredictionResults>();
    ElementSet working;
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

        const SecondBySecond scan = scanVisibility(*catalog, results->rows[found].satelliteIndex, observer,
                                                   options, ours);
        ASSERT_EQ(ours.visible, scan.visible);
        if (scan.visible) {
            EXPECT_NEAR(ours.visibleStart, scan.start, 1.5 * kSecond);
            EXPECT_NEAR(ours.visibleEnd, scan.end, 1.5 * kSecond);
            EXPECT_NEAR(ours.brightestMagnitude, scan.brightest, 0.05);
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
