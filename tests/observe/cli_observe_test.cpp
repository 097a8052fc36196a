#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "../support/run_cli.hpp"
#include "platform/temporary_folder.hpp"

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

// Rows in the order found, satellite by satellite, then the summary line;
// with --details the pass around each row follows it, and the exports are written.
TEST(CliPasses, RowsDetailsFlaresAndTheExports) {
    const std::regex row(R"((\d+)\t[^\t]*[^\t ]\t(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)\t(Eclipsed|In sun|Visible)\t)"
                         R"((N/A|-?\d+\.\d)\tN/A)");
    const std::vector<std::string> plain = rowsOf(kPasses + kPlace + kDay);
    ASSERT_GT(plain.size(), 4u);
    std::pair<int, std::string> previous{-1, ""};
    for (const std::string& line : plain) {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(line, m, row)) << line;
        EXPECT_EQ(m[3] == "Visible", m[4] != "N/A") << line;
        EXPECT_GE(m[2].str(), "2026-12-06 12:00:00");
        EXPECT_LE(m[2].str(), "2026-12-07 13:00:00");
        EXPECT_LT(previous, std::make_pair(std::stoi(m[1]), m[2].str())) << line;
        previous = {std::stoi(m[1]), m[2].str()};
    }
    for (const std::string& line : rowsOf(kPasses + kPlace + kDay + " --min-mag 5"))
        EXPECT_NE(line.find("\tVisible\t"), std::string::npos) << line;
    const std::regex flare(R"(\d+\t[^\t]+\t[-0-9: ]+\tFlare\t-?\d+\.\d\t\d\.\d\d)");
    const std::vector<std::string> flares = rowsOf(kPasses + kPlace + " --start 2026-12-06T12:00:00 --hours 48 --flares");
    EXPECT_GT(flares.size(), 0u);
    for (const std::string& line : flares) EXPECT_TRUE(std::regex_match(line, flare)) << line;

    vantrek::TemporaryFolder folder;
    const std::string ics = folder.file("passes.ics"), csv = folder.file("passes.csv");
    const std::vector<std::string> detailed =
        rowsOf(kPasses + kPlace + kDay + " --details --ics " + ics + " --csv " + csv);
    ASSERT_EQ(detailed.size(), plain.size());
    const std::string utc = R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ)";
    const std::regex pass("\t(" + utc + ")\t(" + utc + ")\t(" + utc + R"()\t\d+\.\d\d\t\d+\.\d\d\t\d+\.\d\d)" +
                          "\t(" + utc + "|-)\t(" + utc + "|-)");
    std::string firstRiseOfSet3;
    for (size_t r = 0; r < plain.size(); ++r) {
        // The six fields as they were, then the pass around the row's time.
        ASSERT_EQ(detailed[r].rfind(plain[r], 0), 0u) << detailed[r];
        std::smatch m;
        const std::string added = detailed[r].substr(plain[r].size());
        ASSERT_TRUE(std::regex_match(added, m, pass)) << added;
        std::string rowTime = plain[r].substr(plain[r].find("\t20") + 1, 19);
        rowTime[10] = 'T';
        EXPECT_LE(m[1].str(), rowTime + "Z");
        EXPECT_GE(m[3].str(), rowTime + "Z");
        EXPECT_EQ(m[4] == "-", m[5] == "-");
        if (plain[r].rfind("3\t", 0) == 0 && firstRiseOfSet3.empty()) firstRiseOfSet3 = m[1];
    }
    std::ifstream calendar(ics), table(csv);
    std::string line;
    ASSERT_TRUE(std::getline(calendar, line));
    EXPECT_EQ(line, "BEGIN:VCALENDAR\r");
    int lines = 0;
    while (std::getline(table, line)) ++lines;
    EXPECT_GT(lines, 4);
    EXPECT_LE(lines, static_cast<int>(plain.size()) + 1);  // each pass once, after the header

    // The pass chart of the same set's first pass shows that rise.
    std::string chart;
    ASSERT_EQ(RunCliRaw("draw pass " + std::string(VANTREK_TESTS_DIR) + "/data/sample.tle" + kPlace +
                            " --time 2026-12-06T12:00:00 --index 3 --width 960 --height 480",
                        chart),
              0);
    ASSERT_EQ(firstRiseOfSet3.size(), 20u);
    EXPECT_NE(chart.find("\t0,220,0\tsmall\t" + firstRiseOfSet3.substr(11, 8) + "\n"), std::string::npos) << chart;
}
