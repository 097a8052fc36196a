#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "../support/run_cli.hpp"

namespace {

using vantrek::testing::RunCli;
using vantrek::testing::RunCliRaw;

const std::string kSample = std::string(VANTREK_RES_DIR) + "/TLE/sample.tle";
const std::string kPlace = " --lat 54.3 --lon 10.12 --alt 0.03";

std::map<std::string, double> look(const std::string& options) {
    std::map<std::string, double> values;
    std::string out;
    if (RunCliRaw("look " + kSample + " " + options, out) != 0) {
        ADD_FAILURE() << out;
        return values;
    }
    std::istringstream lines(out);
    std::string line;
    while (std::getline(lines, line)) {
        const size_t eq = line.find('=');
        if (eq != std::string::npos) values[line.substr(0, eq)] = std::strtod(line.c_str() + eq + 1, nullptr);
    }
    return values;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) result.push_back(line);
    return result;
}

}  // namespace

TEST(CliLookBrightness, MagnitudeFollowsRangeAndLitFractionAndNeedsSunlight) {
    // The ISS seen from the point beneath it, every 15 minutes of one orbit.
    bool sunlit = false, eclipsed = false;
    for (int minute = 0; minute < 100; minute += 15) {
        char time[96];
        std::snprintf(time, sizeof time, " --index 0 --time 2008-09-20T%02d:%02d:00", 12 + minute / 60, minute % 60);
        std::map<std::string, double> first = look(time + std::string(" --lat 10 --lon 20 --alt 0"));
        char place[128];
        std::snprintf(place, sizeof place, " --lat %.6f --lon %.6f --alt 0", first["latitude"], first["longitude"]);
        std::map<std::string, double> v = look(time + std::string(place));
        ASSERT_GT(v["elevation"], 89.9);
        if (v["eclipsed"] == 1.0) {
            eclipsed = true;
            EXPECT_GE(v["depth"], 0.0);
            EXPECT_EQ(v["magnitude"], 100.0);
            EXPECT_EQ(v["visibility"], 2.0);  // night below, the satellite in the shadow
            continue;
        }
        sunlit = true;
        EXPECT_LT(v["depth"], 0.0);
        EXPECT_NEAR(v["illumination"], 50.0 * (1.0 + std::cos(v["phaseAngle"] * M_PI / 180.0)), 1e-4);
        EXPECT_NEAR(v["magnitude"],
                    0.5 - 15.75 + 2.5 * std::log10(v["range"] * v["range"] / (v["illumination"] / 100.0)), 1e-4);
        EXPECT_TRUE(v["visibility"] == 3.0 || v["visibility"] == 4.0);
    }
    EXPECT_TRUE(sunlit);
    EXPECT_TRUE(eclipsed);
}

TEST(CliPasses, RowsThenTheSummaryLine) {
    std::string out;
    ASSERT_EQ(RunCliRaw("passes " + kSample + kPlace + " --start 2026-12-06T12:00:00 --hours 24", out), 0) << out;
    const std::vector<std::string> all = lines(out);
    ASSERT_GT(all.size(), 5u);
    const std::regex row(R"((\d+)\t([^\t]*[^\t ])\t(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)\t(Eclipsed|In sun|Visible)\t)"
                         R"((N/A|-?\d+\.\d)\tN/A)");
    std::string previous;
    for (size_t i = 0; i + 1 < all.size(); ++i) {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(all[i], m, row)) << all[i];
        EXPECT_EQ(m[4] == "Visible", m[5] != "N/A") << all[i];
        EXPECT_GE(m[3].str(), "2026-12-06 12:00:00");
        EXPECT_LE(m[3].str(), "2026-12-07 13:00:00");
        // Storage order: satellite by satellite, each in time order.
        const std::string key = m[1].str() + " " + m[3].str();
        if (!previous.empty() && std::stoi(m[1]) == std::stoi(previous)) {
            EXPECT_LT(previous, key);
        }
        previous = key;
    }
    EXPECT_TRUE(std::regex_match(all.back(), std::regex(R"(Number of passes \d+ calculated in \d+\.\d\ds)")))
        << all.back();

    ASSERT_EQ(RunCliRaw("passes " + kSample + kPlace + " --start 2026-12-06T12:00:00 --hours 24 --min-mag 5", out), 0);
    for (const std::string& line : lines(out)) {
        if (line.rfind("Number of passes", 0) == 0) continue;
        EXPECT_NE(line.find("\tVisible\t"), std::string::npos) << line;
    }
}

TEST(CliPasses, FlareRowsCarryTheirAngle) {
    std::string out;
    ASSERT_EQ(RunCliRaw("passes " + kSample + kPlace + " --start 2026-12-06T12:00:00 --hours 48 --flares", out), 0);
    const std::regex flare(R"(\d+\t[^\t]+\t[-0-9: ]+\tFlare\t-?\d+\.\d\t\d\.\d\d)");
    int flares = 0;
    for (const std::string& line : lines(out)) {
        if (line.rfind("Number of passes", 0) == 0) continue;
        EXPECT_TRUE(std::regex_match(line, flare)) << line;
        ++flares;
    }
    EXPECT_GT(flares, 0);
}

TEST(CliPasses, UnusableInputExitsWithStatus2) {
    std::string out;
    const std::string start = " --start 2026-12-06T12:00:00 --hours 24";
    EXPECT_EQ(RunCli("passes " + kSample + kPlace, out), 2);
    EXPECT_EQ(RunCli("passes " + kSample + " --lat 54 --lon 10" + start, out), 2);
    EXPECT_EQ(RunCli("passes " + kSample + kPlace + " --start 2026-12-06 --hours 24", out), 2);
    EXPECT_EQ(RunCli("passes " + kSample + kPlace + start + " --engine 6", out), 2);
    EXPECT_EQ(RunCli("passes " + kSample + kPlace + start + " --min-mag bright", out), 2);
    EXPECT_EQ(RunCli("passes " + kSample + " --lat 91 --lon 10 --alt 0" + start, out), 2);
    EXPECT_EQ(RunCli("passes /nonexistent.tle" + kPlace + start, out), 2);
}
