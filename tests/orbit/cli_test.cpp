// The tle and propagate subcommands of vantrek-cli.
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "../support/element_set_text.hpp"
#include "../support/run_cli.hpp"
#include "../support/synthetic_catalog.hpp"

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

TEST(CliPropagate, UnusableInputExitsWithStatus2) {
    std::string out;
    EXPECT_EQ(RunCli("propagate " + kSample + "--index 8 --minutes 0", out), 2);
    EXPECT_NE(out.find("index 8"), std::string::npos) << out;
    EXPECT_EQ(RunCli("propagate /nonexistent/file.tle --minutes 0", out), 2);
    EXPECT_NE(out.find("cannot open"), std::string::npos) << out;
    for (const char* bad : {"--index -1 --minutes 0", "--minutes 0:10:0", "--minutes 10:0:1", "--minutes 1,,2",
                            "--minutes nan", "--minutes 0 --engine 5", "--index 1", "--minutes 0:5"}) {
        EXPECT_EQ(propagate(kSample + bad, out), 2) << bad;
        EXPECT_TRUE(out.empty()) << bad;
    }
}

TEST(CliPropagate, ElementSetWithoutFiniteStateShowsZerosAndFails) {
    const std::string path = ::testing::TempDir() + "vantrek_zero_motion.tle";
    std::ofstream(path) << "ZERO MOTION\n"
                           "1 00001U 00000A   00001.00000000  .00000000  00000-0  00000-3 0  0000\n"
                           "2 00001  00.0000  00.0000 0000000 000.0000 000.0000 00.00000000000000\n";
    std::string out;
    EXPECT_EQ(propagate(path + " --minutes 0,10", out), 2);
    EXPECT_EQ(out.substr(0, out.find('\n')),
              "0.00000000 0.00000000 0.00000000 0.00000000 0.000000000 0.000000000 0.000000000");
    EXPECT_EQ(RunCli("propagate " + path + " --minutes 0,10", out), 2);
    EXPECT_NE(out.find("2 of 2"), std::string::npos) << out;
}

TEST(CliTle, ListsTheSampleFileAndRefusesAMissingOne) {
    std::string out;
    ASSERT_EQ(RunCli("tle " + kSample, out), 0) << out;
    EXPECT_NE(out.find("0\t25544\t2454730.01782528\tISS (ZARYA)\n"), std::string::npos) << out;
    EXPECT_NE(out.find("1\t88888\t"), std::string::npos);
    EXPECT_NE(out.find("count 8\n"), std::string::npos) << out;
    EXPECT_EQ(RunCli("tle /nonexistent/file.tle", out), 2);
    EXPECT_NE(out.find("cannot open"), std::string::npos);
    EXPECT_EQ(RunCli("tle", out), 2);
}

// A file of 3,000 sets loads whole: its sets are those of its 400-set
// pieces, to the catalogue number and to the propagated state.
TEST(CliLargeFiles, AllOfThreeThousandSetsAsInTheirPieces) {
    const std::vector<vantrek::ElementSet> sets = vantrek::testing::ActiveLikeCatalog(3000)->entries;
    const std::string whole = ::testing::TempDir() + "vantrek_3000.tle";
    const std::string piece = ::testing::TempDir() + "vantrek_piece.tle";
    std::ofstream(whole) << vantrek::testing::TwoLineFile(sets);
    std::ofstream(piece) << vantrek::testing::TwoLineFile({sets.begin() + 2600, sets.end()});
    std::string all, part;
    ASSERT_EQ(RunCliRaw("tle " + whole, all), 0);
    ASSERT_EQ(RunCliRaw("tle " + piece, part), 0);
    EXPECT_NE(all.find("\ncount 3000\n"), std::string::npos);
    EXPECT_NE(all.find("2999\t42999\t"), std::string::npos);
    EXPECT_NE(part.find("399\t42999\t"), std::string::npos);
    ASSERT_EQ(propagate(whole + " --index 2999 --minutes 0:1440:360", all), 0);
    ASSERT_EQ(propagate(piece + " --index 399 --minutes 0:1440:360", part), 0);
    EXPECT_EQ(all, part);
}
