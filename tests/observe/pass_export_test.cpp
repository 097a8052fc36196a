// Passes written out: the iCalendar and CSV exports, the saved file, the texts
// of the prediction list, and vantrek-cli's passes command.
#include "observe/pass_export.hpp"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "astro/constants.hpp"
#include "astro/julian_date.hpp"
#include "observe/pass_detail_cells.hpp"
#include "observe/prediction_cells.hpp"
#include "observe/visibility_code.hpp"
#include "platform/temporary_folder.hpp"
#include "../support/orbit_fixtures.hpp"
#include "../support/run_cli.hpp"

using namespace vantrek;
using vantrek::testing::RunCli;
using vantrek::testing::RunCliRaw;
using vantrek::testing::readText;

namespace {

constexpr double kSecond = 1.0 / 86400.0;

// Commas and a semicolon to escape, and two-octet characters where the
// summary line reaches 75 octets one of them straddles the fold.
const std::string kLongName = "FENGYUN 1C DEB, \u00c9TAGE; \u00c5RBITS "
                              "\u00c9\u00c9\u00c9\u00c9\u00c9\u00c9\u00c9\u00c9\u00c9\u00c9"
                              "\u00c9\u00c9\u00c9\u00c9\u00c9\u00c9\u00c9\u00c9\u00c9\u00c9";

// A pass rising at azimuth 231.4, culminating at 160 in its middle, 512 km
// away, and setting at 359.998 (printed as 0.00, never 360.00).
PassDetails pass(const std::string& name, int32_t number, double aos, double minutes, double maxElevationDeg) {
    return {true, false, -1, 0.0, name, number, aos, aos + minutes / 2880.0, aos + minutes / 1440.0,
            231.4 * kDegree, 160.0 * kDegree, 359.998 * kDegree, 0.0, 0.0, maxElevationDeg * kDegree, 512.0};
}

// Three passes as a search's rows might give them: out of order, one twice
// (a long pass with two rows), one row without a pass.
std::vector<PassDetails> samplePasses() {
    const double t0 = JulianDateFromCalendar(2024, 3, 20, 21, 29, 33, 0);
    PassDetails late = pass("ISS (ZARYA)", 25544, t0 + 0.1, 10.0, 63.4);
    late.visible = true;
    late.visibleStart = late.aos + 60 * kSecond;
    late.visibleEnd = late.los;
    late.brightestMagnitude = -2.26;
    PassDetails named = pass(kLongName, 29000, t0, 6.5, 2.6);
    named.upAtStart = true;
    return {late, named, PassDetails{}, late};
}

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

// The calendar a reader imports: tests/data/observe/sample-passes.ics. The pass
// given twice is one event, the row without a pass none, in order of rise; text
// escapes its commas and semicolons; lines end in CRLF and fold at 75 octets,
// between characters (the long summary's fold falls after 74).
TEST(PassExport, CalendarFoldsBetweenCharactersAndEscapesItsText) {
    const double stamp = JulianDateFromCalendar(2024, 3, 19, 8, 0, 0, 0);
    EXPECT_EQ(PassesICalendar(samplePasses(), stamp),
              readText(std::string(VANTREK_TESTS_DIR) + "/data/observe/sample-passes.ics"));

    // A name from a file in another encoding, with a control character, stays valid text.
    const std::string latin1 = PassesICalendar({pass("CAF\xc9\x01 2", 1, 2460390.0, 5.0, 30.0)}, stamp);
    EXPECT_NE(latin1.find("\r\nSUMMARY:CAF?  2 max 30\u00b0\r\n"), std::string::npos) << latin1;
}

// The table a spreadsheet reads: tests/data/observe/sample-passes.csv.
TEST(PassExport, CsvHasOneLinePerPassAndSavingReplacesTheWholeFileOrNothing) {
    EXPECT_EQ(PassesCsv(samplePasses()), readText(std::string(VANTREK_TESTS_DIR) + "/data/observe/sample-passes.csv"));

    TemporaryFolder folder;
    const std::string ics = folder.file("passes.ICS");
    const std::string csv = folder.write("passes.csv", "old");
    const double stamp = 2460390.0;
    ASSERT_TRUE(SavePassesFile(ics, samplePasses(), stamp));
    ASSERT_TRUE(SavePassesFile(csv, samplePasses(), stamp));
    EXPECT_EQ(readText(csv), PassesCsv(samplePasses()));
    EXPECT_EQ(readText(ics), PassesICalendar(samplePasses(), stamp));
    // A name the file cannot take (a folder there, no folder at all) fails
    // and leaves what was there, without a temporary beside it.
    std::filesystem::create_directory(folder.file("taken.csv"));
    EXPECT_FALSE(SavePassesFile(folder.file("taken.csv"), samplePasses(), stamp));
    EXPECT_FALSE(SavePassesFile(folder.file("missing/passes.csv"), samplePasses(), stamp));
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("taken.csv")));
    const auto entries = std::distance(std::filesystem::directory_iterator(folder.path()), {});
    EXPECT_EQ(entries, 3);  // passes.ICS, passes.csv, taken.csv
}

// Times round to the second, across midnight and the year too.
TEST(PassTexts, PredictionCellsAndCommandLineFields) {
    PredictionRow row{kVisibilityVisible, JulianDateFromCalendar(2024, 3, 5, 7, 4, 9, 0), -2.2449, 1.234 * kDegree, 17};
    const PredictionCells visible = FormatPredictionRow(row, "ISS (ZARYA)             ", 0.0, true);
    row.code = kVisibilityFlare;
    const PredictionCells flare = FormatPredictionRow(row, "IRIDIUM 7", 1.0 / 24.0, false);
    const double midnight = JulianDateFromCalendar(2024, 12, 31, 24, 0, 0, 0);
    const PassDetails p = pass("X", 1, midnight - 0.4 * kSecond, 1.0, 45.678);
    const std::pair<std::string, std::string> texts[] = {
        {visible.satellite, "ISS (ZARYA)               "}, {visible.time, "2024-3-5 7:04:09"},
        {visible.status, "Visible"}, {visible.magnitude, "-2.2"}, {visible.flareAngle, "N/A"}, {visible.index, "17"},
        {flare.satellite, "IRIDIUM 7"}, {flare.time, "2024-3-5 8:04:09"},  // one hour east of UTC
        {flare.status, "Flare"}, {flare.flareAngle, "1.23\u00b0"},
        {PredictionTimeText(midnight - 0.001 * kSecond, 0.0), "2025-1-1 0:00:00"},
        {PredictionTimeText(midnight + 0.5, -1.0 / 24.0), "2025-1-1 11:00:00"},
        {PaddedTimeText(midnight - 0.001 * kSecond), "2025-01-01 00:00:00"},
        {PaddedTimeText(midnight - kSecond), "2024-12-31 23:59:59"},
        {UtcSecondText(p.aos), "2025-01-01T00:00:00Z"},
        {PassDetailFields(p), "2025-01-01T00:00:00Z\t2025-01-01T00:00:30Z\t2025-01-01T00:01:00Z\t231.40\t0.00\t45.68\t-\t-"},
        {PassDetailFields(PassDetails{}), "-\t-\t-\t-\t-\t-\t-\t-"},
        {PassDurationText(599.6), "10:00"},
        {PassDurationText(3725.0), "1:02:05"},
        {PassSearchSummaryText(12, 0.4567), "Number of passes 12 calculated in 0.46s"}};
    for (const auto& [text, expected] : texts) EXPECT_EQ(text, expected);

    // The newest row is listed first (the prediction window's test); no row outside the list.
    auto results = std::make_unique<PredictionResults>();
    results->rows.resize(3);
    results->count = 3;
    EXPECT_EQ(PredictionRowAtListPosition(*results, 3), -1);
    EXPECT_EQ(PredictionRowAtListPosition(*results, -1), -1);
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
    // The magnitude filter keeps the visible rows brighter than its limit (the
    // ISS at 4.7, where the unfiltered row has 5.5).
    const std::vector<std::string> bright = rowsOf(kPasses + kPlace + kDay + " --min-mag 5");
    ASSERT_FALSE(bright.empty());
    for (const std::string& line : bright) {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(line, m, row)) << line;
        EXPECT_EQ(m[3], "Visible");
        EXPECT_LT(std::stod(m[4]), 5.0) << line;
    }
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
    EXPECT_EQ(readText(ics).rfind("BEGIN:VCALENDAR\r\n", 0), 0u);
    const std::string table = readText(csv);
    const auto lines = std::count(table.begin(), table.end(), '\n');
    EXPECT_GT(lines, 4);
    EXPECT_LE(lines, static_cast<long>(plain.size()) + 1);  // each pass once, after the header

    // The pass chart of the same set's first pass shows that rise.
    std::string chart;
    ASSERT_EQ(RunCliRaw("draw pass " + std::string(VANTREK_TESTS_DIR) + "/data/sample.tle" + kPlace +
                            " --time 2026-12-06T12:00:00 --index 3 --width 960 --height 480",
                        chart),
              0);
    ASSERT_EQ(firstRiseOfSet3.size(), 20u);
    EXPECT_NE(chart.find("\t0,220,0\tsmall\t" + firstRiseOfSet3.substr(11, 8) + "\n"), std::string::npos) << chart;
}
