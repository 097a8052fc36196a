// The tle, propagate and look subcommands of vantrek-cli.
#include <cstdlib>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "../support/run_cli.hpp"

using vantrek::testing::RunCli;
using vantrek::testing::RunCliRaw;

namespace {

const std::string kSample = std::string(VANTREK_TESTS_DIR) + "/data/sample.tle ";

// vantrek-cli propagate: its exit status and standard output alone.
int propagate(const std::string& args, std::string& out) { return RunCliRaw("propagate " + args + " 2>/dev/null", out); }

std::vector<std::vector<double>> rows(const std::string& out) {
    std::vector<std::vector<double>> result;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        result.emplace_back();
        for (double v; fields >> v;) result.back().push_back(v);
    }
    return result;
}

const std::string kIssNearEpoch = "--index 0 --time 2008-09-20T12:25:40.000";

// Runs `look` on the sample file: the values by key and, when asked for, the
// keys in output order, each followed by a space.
std::map<std::string, double> look(const std::string& options, std::string* keys = nullptr) {
    std::string out;
    EXPECT_EQ(RunCliRaw("look " + kSample + options, out), 0) << out;
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

TEST(CliPropagate, ListedMinutesRangesAndTheSummary) {
    std::string out;
    ASSERT_EQ(propagate(kSample + "--index 1 --minutes 0,360,-1.5", out), 0);
    auto r = rows(out);
    ASSERT_EQ(r.size(), 3u) << out;
    EXPECT_NEAR(r[1][1], 2456.10705566, 0.01);  // the published SGP4 case at 360 minutes
    EXPECT_NEAR(r[1][6], -7.22879231, 1e-5);
    EXPECT_EQ(r[2][0], -1.5);
    // Minutes and km with eight decimals, km/s with nine, one blank between.
    const std::regex line(R"(-?\d+\.\d{8}( -?\d+\.\d{8}){3}( -?\d+\.\d{9}){3})");
    EXPECT_TRUE(std::regex_match(out.substr(0, out.find('\n')), line)) << out;

    ASSERT_EQ(propagate(kSample + "--index 2 --minutes 0:1440:360 --summary", out), 0);
    r = rows(out);
    ASSERT_EQ(r.size(), 2u) << out;
    EXPECT_EQ(out.substr(0, 8), "count 5\n");
    EXPECT_EQ(r[1][0], 1440.0);
    // START, then every STEP while not past END.
    ASSERT_EQ(propagate(kSample + "--minutes 0:1:0.3", out), 0);
    EXPECT_EQ(rows(out).size(), 4u);
}

TEST(CliPropagate, ElementSetWithoutFiniteStateShowsZerosAndFails) {
    // Set 1 of the hostile sets: LEO MEAN MOTION 0.
    const std::string path = std::string(VANTREK_TESTS_DIR) + "/data/orbit/hostile_sets.tle --index 1";
    std::string out;
    EXPECT_EQ(propagate(path + " --minutes 0,10", out), 2);
    EXPECT_EQ(out.substr(0, out.find('\n')),
              "0.00000000 0.00000000 0.00000000 0.00000000 0.000000000 0.000000000 0.000000000");
    EXPECT_EQ(RunCli("propagate " + path + " --minutes 0,10", out), 2);
    EXPECT_NE(out.find("2 of 2"), std::string::npos) << out;
}

TEST(CliTle, ListsTheSampleFile) {
    std::string out;
    ASSERT_EQ(RunCli("tle " + kSample, out), 0) << out;
    EXPECT_NE(out.find("0\t25544\t2454730.01782528\tISS (ZARYA)\n"), std::string::npos) << out;
    EXPECT_NE(out.find("count 8\n"), std::string::npos) << out;
}

TEST(CliLook, KeysInOrderAndPlausibleValues) {
    std::string keys;
    auto v = look(kIssNearEpoch + " --lat 0 --lon 0 --alt 0", &keys);
    EXPECT_EQ(keys,
              "azimuth elevation range rangeRate latitude longitude height sunAzimuth sunElevation moonAzimuth "
              "moonElevation moonIllumination eclipsed depth magnitude illumination phaseAngle visibility ");
    EXPECT_GT(v["sunElevation"], 75.0);  // near noon at Greenwich, two days before the equinox
    EXPECT_NEAR(v["moonIllumination"], 0.7, 0.15);  // waning gibbous
    // Refraction only when asked: it lifts the Sun, never the Moon (12.8 degrees up) or an azimuth.
    const std::string base = kIssNearEpoch + " --lat 40 --lon -30 --alt 0.2 --engine 8";
    auto plain = look(base), refracted = look(base + " --refraction");
    EXPECT_GT(refracted["sunElevation"], plain["sunElevation"]);
    EXPECT_EQ(refracted["azimuth"], plain["azimuth"]);
    EXPECT_EQ(refracted["moonElevation"], plain["moonElevation"]);
}

// cli_refused.txt: each line a command that must be refused, some with the fault they name.
TEST(CliUnusableInput, ExitsWithStatus2AndNothingOnStandardOutput) {
    std::ifstream file(std::string(VANTREK_TESTS_DIR) + "/data/orbit/cli_refused.txt");
    std::string out;
    int refused = 0;
    for (std::string line; std::getline(file, line);) {
        if (line.empty() || line[0] == '#') continue;
        const std::size_t says = line.find(" => ");
        std::string args = line.substr(0, says);
        if (args.find("SAMPLE ") != std::string::npos) args.replace(args.find("SAMPLE "), 7, kSample);
        EXPECT_EQ(RunCliRaw(args + " 2>/dev/null", out), 2) << args;
        EXPECT_TRUE(out.empty()) << args;
        if (says != std::string::npos) {
            RunCli(args, out);
            EXPECT_NE(out.find(line.substr(says + 4)), std::string::npos) << out;
        }
        ++refused;
    }
    EXPECT_EQ(refused, 21);
}
