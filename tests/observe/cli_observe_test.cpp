#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "../support/run_cli.hpp"

namespace {

using vantrek::testing::RunCli;
using vantrek::testing::RunCliRaw;

const std::string kPasses = "passes " + std::string(VANTREK_TESTS_DIR) + "/data/sample.tle";
const std::string kPlace = " --lat 54.3 --lon 10.12 --alt 0.03";
const std::string kDay = " --start 2026-12-06T12:00:00 --hours 24";

// The rows of a successful run, after checking its closing summary line.
std::vector<std::string> rowsOf(const std::string& args) {
    std::string out;
    EXPECT_EQ(RunCliRaw(args, out), 0) << out;
    std::vector<std::string> rows;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) rows.push_back(line);
    if (rows.empty()) return rows;
    EXPECT_TRUE(std::regex_match(rows.back(), std::regex(R"(Number of passes \d+ calculated in \d+\.\d\ds)")))
        << rows.back();
    rows.pop_back();
    return rows;
}

}  // namespace

TEST(CliPasses, RowsThenTheSummaryLine) {
    const std::regex row(R"((\d+)\t[^\t]*[^\t ]\t(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)\t(Eclipsed|In sun|Visible)\t)"
                         R"((N/A|-?\d+\.\d)\tN/A)");
    const std::vector<std::string> rows = rowsOf(kPasses + kPlace + kDay);
    ASSERT_GT(rows.size(), 4u);
    std::pair<int, std::string> previous{-1, ""};  // in the order found: satellite by satellite
    for (const std::string& line : rows) {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(line, m, row)) << line;
        EXPECT_EQ(m[3] == "Visible", m[4] != "N/A") << line;
        EXPECT_GE(m[2].str(), "2026-12-06 12:00:00");
        EXPECT_LE(m[2].str(), "2026-12-07 13:00:00");
        EXPECT_LT(previous, std::make_pair(std::stoi(m[1]), m[2].str())) << line;
        previous = {std::stoi(m[1]), m[2].str()};
    }
    for (const std::string& line : rowsOf(kPasses + kPlace + kDay + " --min-mag 5")) {
        EXPECT_NE(line.find("\tVisible\t"), std::string::npos) << line;
    }
}

TEST(CliPasses, FlareRowsCarryTheirAngle) {
    const std::regex flare(R"(\d+\t[^\t]+\t[-0-9: ]+\tFlare\t-?\d+\.\d\t\d\.\d\d)");
    const std::vector<std::string> rows =
        rowsOf(kPasses + kPlace + " --start 2026-12-06T12:00:00 --hours 48 --flares");
    EXPECT_GT(rows.size(), 0u);
    for (const std::string& line : rows) EXPECT_TRUE(std::regex_match(line, flare)) << line;
}

TEST(CliPasses, UnusableInputExitsWithStatus2) {
    const std::string cases[] = {kPasses + kPlace,  // no period
                                 kPasses + " --lat 54 --lon 10" + kDay,
                                 kPasses + kPlace + " --start 2026-12-06 --hours 24",
                                 kPasses + kPlace + kDay + " --engine 6",
                                 kPasses + kPlace + kDay + " --min-mag bright",
                                 kPasses + " --lat 91 --lon 10 --alt 0" + kDay,
                                 "passes /nonexistent.tle" + kPlace + kDay};
    std::string out;
    for (const std::string& args : cases) EXPECT_EQ(RunCli(args, out), 2) << args;
}
