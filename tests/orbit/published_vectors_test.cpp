// The orbit models against the published test cases of their report.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "astro/julian_date.hpp"
#include "orbit/catalog_loading.hpp"
#include "orbit/propagation.hpp"

using namespace vantrek;

namespace {

struct PublishedRow {
    double minutes;
    double state[6];  // x y z (km), xdot ydot zdot (km/s)
};

struct PublishedCase {
    std::string elements;  // name line and the two element lines
    std::string model;
    std::vector<PublishedRow> rows;
};

// Reads the "tle" and "model" blocks of the published-vector file.
std::vector<PublishedCase> readPublishedCases(const std::string& path) {
    std::vector<PublishedCase> cases;
    std::ifstream file(path);
    std::string line;
    std::string elements;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        if (line.rfind("tle ", 0) == 0) {
            elements.clear();
            for (int i = 0; i < 3 && std::getline(file, line); ++i) elements += line + "\n";
        } else if (line.rfind("model ", 0) == 0) {
            cases.push_back({elements, line.substr(6), {}});
        } else if (!cases.empty()) {
            std::istringstream in(line);
            PublishedRow row{};
            in >> row.minutes;
            for (double& v : row.state) in >> v;
            if (in) cases.back().rows.push_back(row);
        }
    }
    return cases;
}

const std::vector<PublishedCase>& publishedCases() {
    static const std::vector<PublishedCase> cases =
        readPublishedCases(std::string(VANTREK_SHARED_DATA_DIR) + "/propagator_test_vectors.txt");
    return cases;
}

// Propagates every row of a case through the front end, the first with the
// flag 0 and the rest with the flag 1; returns the worst differences.
void checkCase(const PublishedCase& c, double& worstMetres, double& worstMetresPerSecond) {
    auto catalog = std::make_unique<SatelliteCatalog>();
    ASSERT_EQ(loadElementSets(*catalog, c.elements.data(), static_cast<long>(c.elements.size())), 1);
    PropagatorState model;
    ElementSet working;
    const double epoch = JulianDateFromEpoch(catalog->entries[0].epoch);
    uint8_t initialised = 0;
    for (const PublishedRow& row : c.rows) {
        Vector4 position, velocity;
        propagateSatellite(model, *catalog, epoch + row.minutes / 1440.0, working, 0, velocity, position,
                           initialised, 0);
        initialised = 1;
        const double got[6] = {position.x, position.y, position.z, velocity.x, velocity.y, velocity.z};
        for (int i = 0; i < 6; ++i) {
            const double floor = i < 3 ? 2000.0 : 0.5;
            const double allowed = 1e-5 * std::max(std::fabs(row.state[i]), floor);
            EXPECT_NEAR(got[i], row.state[i], allowed) << c.model << " t=" << row.minutes << " component " << i;
            double& worst = i < 3 ? worstMetres : worstMetresPerSecond;
            worst = std::max(worst, 1000.0 * std::fabs(got[i] - row.state[i]));
        }
    }
}

}  // namespace

TEST(PublishedVectors, Sgp4AndSdp4MatchTheReport) {
    int checked = 0;
    for (const PublishedCase& c : publishedCases()) {
        if (c.model != "sgp4" && c.model != "sdp4") continue;
        double metres = 0.0;
        double metresPerSecond = 0.0;
        checkCase(c, metres, metresPerSecond);
        std::printf("%s: %zu times, worst %.3f m, %.6f m/s\n", c.model.c_str(), c.rows.size(), metres,
                    metresPerSecond);
        checked += static_cast<int>(c.rows.size());
    }
    EXPECT_GE(checked, 6);  // both models, at least three times each
}
