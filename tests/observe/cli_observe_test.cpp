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

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) result.push_back(line);
    return result;
}

}  // namespace

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
