#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "../support/run_cli.hpp"

namespace {

using vantrek::testing::RunCli;
using vantrek::testing::RunCliRaw;

// Runs `look` on the sample file; the keys in output order and their values.
bool look(const std::string& options, std::vector<std::string>& keys, std::map<std::string, double>& values) {
    std::string out;
    if (RunCliRaw("look " + std::string(VANTREK_RES_DIR) + "/TLE/sample.tle " + options, out) != 0) {
        ADD_FAILURE() << out;
        return false;
    }
    std::istringstream lines(out);
    std::string line;
    while (std::getline(lines, line)) {
        const size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        keys.push_back(line.substr(0, eq));
        values[keys.back()] = std::strtod(line.c_str() + eq + 1, nullptr);
    }
    return true;
}

const char kIssNearEpoch[] = "--index 0 --time 2008-09-20T12:25:40.000";

}  // namespace

TEST(CliLook, KeysInOrderAndPlausibleValues) {
    std::vector<std::string> keys;
    std::map<std::string, double> v;
    ASSERT_TRUE(look(std::string(kIssNearEpoch) + " --lat 0 --lon 0 --alt 0", keys, v));
    const std::vector<std::string> expected = {"azimuth",      "elevation",  "range",         "rangeRate",
                                               "latitude",     "longitude",  "height",        "sunAzimuth",
                                               "sunElevation", "moonAzimuth", "moonElevation", "moonIllumination",
                                               "eclipsed",     "depth",      "magnitude",     "illumination",
                                               "phaseAngle",   "visibility"};
    EXPECT_EQ(keys, expected);
    EXPECT_GE(v["azimuth"], 0.0);
    EXPECT_LT(v["azimuth"], 360.0);
    EXPECT_NEAR(v["height"], 345.0, 25.0);
    EXPECT_LE(std::fabs(v["latitude"]), 51.7);
    EXPECT_LE(std::fabs(v["longitude"]), 180.0);
    EXPECT_GE(v["range"], v["height"]);
    EXPECT_LT(std::fabs(v["rangeRate"]), 8.0);
    EXPECT_GT(v["sunElevation"], 75.0);  // near noon at Greenwich, two days before the equinox
    EXPECT_GT(v["moonIllumination"], 0.55);  // waning gibbous
    EXPECT_LT(v["moonIllumination"], 0.85);
}

TEST(CliLook, StandingUnderTheSatelliteSeesItOverhead) {
    std::vector<std::string> keys;
    std::map<std::string, double> first, under;
    ASSERT_TRUE(look(std::string(kIssNearEpoch) + " --lat 10 --lon 20 --alt 0", keys, first));
    char place[128];
    std::snprintf(place, sizeof place, " --lat %.6f --lon %.6f --alt 0", first["latitude"], first["longitude"]);
    ASSERT_TRUE(look(std::string(kIssNearEpoch) + place, keys, under));
    EXPECT_GT(under["elevation"], 89.99);
    EXPECT_NEAR(under["range"], first["height"], 0.01);
    EXPECT_NEAR(under["height"], first["height"], 1e-9);
}

TEST(CliLook, RefractionOnlyWhenAsked) {
    std::vector<std::string> keys;
    std::map<std::string, double> plain, refracted;
    const std::string base = std::string(kIssNearEpoch) + " --lat 40 --lon -30 --alt 0.2 --engine 8";
    ASSERT_TRUE(look(base, keys, plain));
    ASSERT_TRUE(look(base + " --refraction", keys, refracted));
    if (plain["elevation"] > -0.5) {
        EXPECT_GT(refracted["elevation"], plain["elevation"]);
    }
    EXPECT_GT(refracted["sunElevation"], plain["sunElevation"]);  // the Sun is up there
    EXPECT_EQ(refracted["azimuth"], plain["azimuth"]);
    EXPECT_EQ(refracted["moonElevation"], plain["moonElevation"]);
}

TEST(CliLook, UnusableInputExitsWithStatus2) {
    std::string out;
    const std::string file = std::string(VANTREK_RES_DIR) + "/TLE/sample.tle";
    const std::string place = " --lat 10 --lon 20 --alt 0";
    EXPECT_EQ(RunCli("look " + file + " --index 0 --time 2008-09-20T12:25" + place, out), 2);
    EXPECT_EQ(RunCli("look " + file + " --index 0 --time 2008-13-20T12:25:40" + place, out), 2);
    EXPECT_EQ(RunCli("look " + file + " --index 0 --time 2008-09-20T12:25:40.1234" + place, out), 2);
    EXPECT_EQ(RunCli("look " + file + " --index 8 --time 2008-09-20T12:25:40" + place, out), 2);
    EXPECT_NE(out.find("no index 8"), std::string::npos) << out;
    EXPECT_EQ(RunCli("look " + file + " --index 0 --time 2008-09-20T12:25:40 --lat 91 --lon 0 --alt 0", out), 2);
    EXPECT_EQ(RunCli("look " + file + " --index 0 --time 2008-09-20T12:25:40 --lat nan --lon 0 --alt 0", out), 2);
    EXPECT_EQ(RunCli("look " + file + " --index 0 --time 2008-09-20T12:25:40" + place + " --engine 6", out), 2);
    EXPECT_EQ(RunCli("look " + file + " --index 0" + place, out), 2);
    EXPECT_EQ(RunCli("look /nonexistent.tle --index 0 --time 2008-09-20T12:25:40" + place, out), 2);
}

TEST(CliLookBrightness, MagnitudeFollowsRangeAndLitFractionAndNeedsSunlight) {
    // The ISS seen from the point beneath it, every 15 minutes of one orbit.
    bool sunlit = false, eclipsed = false;
    for (int minute = 0; minute < 100; minute += 15) {
        char time[96];
        std::snprintf(time, sizeof time, "--index 0 --time 2008-09-20T%02d:%02d:00", 12 + minute / 60, minute % 60);
        std::vector<std::string> keys;
        std::map<std::string, double> first, v;
        ASSERT_TRUE(look(time + std::string(" --lat 10 --lon 20 --alt 0"), keys, first));
        char place[128];
        std::snprintf(place, sizeof place, " --lat %.6f --lon %.6f --alt 0", first["latitude"], first["longitude"]);
        ASSERT_TRUE(look(time + std::string(place), keys, v));
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
