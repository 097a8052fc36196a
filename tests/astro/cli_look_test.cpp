#include <cmath>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "../support/run_cli.hpp"

namespace {

using vantrek::testing::RunCli;

const std::string kSample = std::string(VANTREK_TESTS_DIR) + "/data/sample.tle";
const std::string kIssNearEpoch = "--index 0 --time 2008-09-20T12:25:40.000";

// Runs `look` on the sample file: the values by key and, when asked for, the
// keys in output order, each followed by a space.
std::map<std::string, double> look(const std::string& options, std::string* keys = nullptr) {
    std::string out;
    EXPECT_EQ(vantrek::testing::RunCliRaw("look " + kSample + " " + options, out), 0) << out;
    std::map<std::string, double> values;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        const size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        if (keys) *keys += line.substr(0, eq) + " ";
        values[line.substr(0, eq)] = std::strtod(line.c_str() + eq + 1, nullptr);
    }
    return values;
}

}  // namespace

TEST(CliLook, KeysInOrderAndPlausibleValues) {
    std::string keys;
    auto v = look(kIssNearEpoch + " --lat 0 --lon 0 --alt 0", &keys);
    EXPECT_EQ(keys,
              "azimuth elevation range rangeRate latitude longitude height sunAzimuth sunElevation moonAzimuth "
              "moonElevation moonIllumination eclipsed depth magnitude illumination phaseAngle visibility ");
    EXPECT_NEAR(v["height"], 345.0, 25.0);
    EXPECT_LE(std::fabs(v["latitude"]), 51.7);  // the ISS's inclination
    EXPECT_GT(v["sunElevation"], 75.0);  // near noon at Greenwich, two days before the equinox
    EXPECT_NEAR(v["moonIllumination"], 0.7, 0.15);  // waning gibbous
    // Refraction only when asked: it lifts the Sun, never the Moon (12.8 degrees up) or an azimuth.
    const std::string base = kIssNearEpoch + " --lat 40 --lon -30 --alt 0.2 --engine 8";
    auto plain = look(base), refracted = look(base + " --refraction");
    EXPECT_GT(refracted["sunElevation"], plain["sunElevation"]);
    EXPECT_EQ(refracted["azimuth"], plain["azimuth"]);
    EXPECT_EQ(refracted["moonElevation"], plain["moonElevation"]);
}

TEST(CliLook, UnusableInputExitsWithStatus2) {
    const std::string place = " --lat 10 --lon 20 --alt 0", at = " --index 0 --time 2008-09-20T12:25:40";
    // A time without seconds, in month 13 or with four decimals; a latitude past 90
    // or not a number; an unknown engine; no time at all; a missing file.
    const std::string refused[] = {kSample + " --index 0 --time 2008-09-20T12:25" + place,
                                   kSample + " --index 0 --time 2008-13-20T12:25:40" + place,
                                   kSample + at + ".1234" + place,
                                   kSample + at + " --lat 91 --lon 0 --alt 0",
                                   kSample + at + " --lat nan --lon 0 --alt 0",
                                   kSample + at + place + " --engine 6",
                                   kSample + " --index 0" + place,
                                   "/nonexistent.tle" + at + place};
    std::string out;
    for (const std::string& args : refused) EXPECT_EQ(RunCli("look " + args, out), 2) << args;
    EXPECT_EQ(RunCli("look " + kSample + " --index 8 --time 2008-09-20T12:25:40" + place, out), 2);
    EXPECT_NE(out.find("no index 8"), std::string::npos) << out;
}
