// Passes written out: the iCalendar and CSV exports, the saved file, and the
// texts of the prediction list and the command line.
#include "observe/pass_export.hpp"

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "astro/constants.hpp"
#include "astro/julian_date.hpp"
#include "observe/pass_detail_cells.hpp"
#include "observe/prediction_cells.hpp"
#include "observe/visibility_code.hpp"
#include "platform/temporary_folder.hpp"

using namespace vantrek;

namespace {

constexpr double kSecond = 1.0 / 86400.0;

// Commas and a semicolon to escape, and two-octet characters where the
// summary line reaches 75 octets one of them straddles the fold.
std::string repeated(const char* text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += text;
    return out;
}
const std::string kLongName = "FENGYUN 1C DEB, \u00c9TAGE; \u00c5RBITS " + repeated("\u00c9", 20);

PassDetails pass(const std::string& name, int32_t number, double aos, double minutes, double maxElevationDeg) {
    PassDetails p;
    p.valid = true;
    p.name = name;
    p.catalogNumber = number;
    p.aos = aos;
    p.tca = aos + minutes / 2880.0;
    p.los = aos + minutes / 1440.0;
    p.aosAzimuth = 231.4 * kDegree;
    p.tcaAzimuth = 160.0 * kDegree;
    p.losAzimuth = 359.998 * kDegree;  // prints as 0.00, never 360.00
    p.maxElevation = maxElevationDeg * kDegree;
    p.tcaRange = 512.0;
    return p;
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

std::vector<std::string> split(const std::string& text, const std::string& end) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t at; (at = text.find(end, start)) != std::string::npos; start = at + end.size())
        lines.push_back(text.substr(start, at - start));
    EXPECT_EQ(start, text.size()) << "text after the last line end";
    return lines;
}

std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

TEST(PassExport, CalendarParsesLineByLine) {
    const double stamp = JulianDateFromCalendar(2024, 3, 19, 8, 0, 0, 0);
    const std::string ics = PassesICalendar(samplePasses(), stamp);
    EXPECT_EQ(ics.find('\n'), ics.find("\r\n") + 1) << "every line ends in CRLF";
    // Unfold (a line starting with a blank continues the one before), then
    // read the calendar as a reader would.
    std::vector<std::string> lines;
    for (const std::string& line : split(ics, "\r\n")) {
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
        EXPECT_LE(line.size(), 75u) << line;
        EXPECT_TRUE(line.empty() || (line.back() & 0xC0) != 0xC0) << "folded inside a character: " << line;
        if (!line.empty() && line[0] == ' ') {
            ASSERT_FALSE(lines.empty());
            EXPECT_NE(static_cast<unsigned char>(line[1]) & 0xC0, 0x80) << "folded inside a character: " << line;
            lines.back() += line.substr(1);
        } else {
            lines.push_back(line);
        }
    }
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines.front(), "BEGIN:VCALENDAR");
    EXPECT_EQ(lines.back(), "END:VCALENDAR");
    std::vector<std::map<std::string, std::vector<std::string>>> events;
    std::map<std::string, int> calendarProperties;
    bool inEvent = false;
    for (size_t i = 1; i + 1 < lines.size(); ++i) {
        const std::string& line = lines[i];
        const size_t colon = line.find(':');
        ASSERT_NE(colon, std::string::npos) << line;
        if (line == "BEGIN:VEVENT") {
            ASSERT_FALSE(inEvent);
            inEvent = true;
            events.emplace_back();
        } else if (line == "END:VEVENT") {
            ASSERT_TRUE(inEvent);
            inEvent = false;
        } else if (inEvent) {
            events.back()[line.substr(0, colon)].push_back(line.substr(colon + 1));
        } else {
            ++calendarProperties[line.substr(0, colon)];
        }
    }
    EXPECT_FALSE(inEvent);
    EXPECT_EQ(calendarProperties["VERSION"], 1);
    EXPECT_EQ(calendarProperties["PRODID"], 1);

    // Two passes: the one given twice is one event, the row without a pass none; in order of rise.
    ASSERT_EQ(events.size(), 2u);
    const std::regex utc(R"(\d{8}T\d{6}Z)");
    for (auto& event : events) {
        for (const char* property : {"DTSTART", "DTEND", "SUMMARY", "UID", "DTSTAMP"})
            ASSERT_EQ(event[property].size(), 1u) << property;
        for (const char* property : {"DTSTART", "DTEND", "DTSTAMP"})
            EXPECT_TRUE(std::regex_match(event[property][0], utc)) << event[property][0];
        EXPECT_LT(event["DTSTART"][0], event["DTEND"][0]);
        EXPECT_EQ(event["DTSTAMP"][0], "20240319T080000Z");
    }
    EXPECT_NE(events[0]["UID"][0], events[1]["UID"][0]);
    EXPECT_EQ(events[0]["DTSTART"][0], "20240320T212933Z");
    EXPECT_EQ(events[0]["DTEND"][0], "20240320T213603Z");  // 6.5 minutes later
    // Text escapes its commas and semicolons; the elevation is rounded to the degree.
    EXPECT_EQ(events[0]["SUMMARY"][0],
              "FENGYUN 1C DEB\\, \u00c9TAGE\\; \u00c5RBITS " + repeated("\u00c9", 20) + " max 3\u00b0");
    EXPECT_EQ(events[1]["SUMMARY"][0], "ISS (ZARYA) max 63\u00b0");
    EXPECT_EQ(events[1]["DTSTART"][0], "20240320T235333Z");  // 0.1 day after the first
    const std::string description = events[1]["DESCRIPTION"].at(0);
    for (const char* part : {"231\u00b0 (SW)", "0\u00b0 (N)", "63.4\u00b0", "magnitude -2.3"})
        EXPECT_NE(description.find(part), std::string::npos) << part << " in " << description;

    // A name from a file in another encoding, with a control character, stays valid text.
    const std::string latin1 = PassesICalendar({pass("CAF\xc9\x01 2", 1, 2460390.0, 5.0, 30.0)}, stamp);
    EXPECT_NE(latin1.find("\r\nSUMMARY:CAF?  2 max 30\u00b0\r\n"), std::string::npos) << latin1;
}

// The table a spreadsheet reads: tests/data/observe/sample-passes.csv.
TEST(PassExport, CsvHasOneLinePerPassAndSavingReplacesTheWholeFileOrNothing) {
    EXPECT_EQ(PassesCsv(samplePasses()), FileText(std::string(VANTREK_TESTS_DIR) + "/data/observe/sample-passes.csv"));

    TemporaryFolder folder;
    const std::string ics = folder.file("passes.ICS");
    const std::string csv = folder.write("passes.csv", "old");
    const double stamp = 2460390.0;
    ASSERT_TRUE(SavePassesFile(ics, samplePasses(), stamp));
    ASSERT_TRUE(SavePassesFile(csv, samplePasses(), stamp));
    EXPECT_EQ(FileText(csv), PassesCsv(samplePasses()));
    EXPECT_EQ(FileText(ics), PassesICalendar(samplePasses(), stamp));
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

    // The newest row is listed first.
    auto results = std::make_unique<PredictionResults>();
    results->rows.resize(3);
    results->count = 3;
    EXPECT_EQ(PredictionRowAtListPosition(*results, 0), 2);
    EXPECT_EQ(PredictionRowAtListPosition(*results, 2), 0);
    EXPECT_EQ(PredictionRowAtListPosition(*results, 3), -1);
    EXPECT_EQ(PredictionRowAtListPosition(*results, -1), -1);
}
