#include "observe/pass_export.hpp"

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "astro/constants.hpp"
#include "astro/julian_date.hpp"
#include "observe/pass_detail_cells.hpp"
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

PassDetails pass(const char* name, int32_t number, double aos, double minutes, double maxElevationDeg) {
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
    PassDetails named = pass(kLongName.c_str(), 29000, t0, 6.5, 2.6);
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

bool validUtf8(const std::string& s) {
    for (size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        const size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += n;
    }
    return true;
}

}  // namespace

TEST(PassExport, CalendarParsesLineByLine) {
    const double stamp = JulianDateFromCalendar(2024, 3, 19, 8, 0, 0, 0);
    const std::string ics = PassesICalendar(samplePasses(), stamp);
    EXPECT_EQ(ics.find('\n'), ics.find("\r\n") + 1) << "every line ends in CRLF";
    std::vector<std::string> physical = split(ics, "\r\n");
    for (const std::string& line : physical) {
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
        EXPECT_LE(line.size(), 75u) << line;
        EXPECT_TRUE(validUtf8(line)) << "folded inside a character: " << line;
    }
    // Unfold (a line starting with a blank continues the one before), then
    // read the calendar as a reader would.
    std::vector<std::string> lines;
    for (const std::string& line : physical) {
        if (!line.empty() && line[0] == ' ') {
            ASSERT_FALSE(lines.empty());
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
        const std::string name = line.substr(0, colon), value = line.substr(colon + 1);
        if (line == "BEGIN:VEVENT") {
            ASSERT_FALSE(inEvent);
            inEvent = true;
            events.emplace_back();
        } else if (line == "END:VEVENT") {
            ASSERT_TRUE(inEvent);
            inEvent = false;
        } else if (inEvent) {
            events.back()[name].push_back(value);
        } else {
            ++calendarProperties[name];
        }
    }
    EXPECT_FALSE(inEvent);
    EXPECT_EQ(calendarProperties["VERSION"], 1);
    EXPECT_EQ(calendarProperties["PRODID"], 1);

    // Two passes: the one given twice is one event, the row without a pass none; in order of rise.
    ASSERT_EQ(events.size(), 2u);
    const std::regex utc(R"(\d{8}T\d{6}Z)");
    for (auto& event : events) {
        for (const char* property : {"DTSTART", "DTEND", "SUMMARY", "UID", "DTSTAMP"}) {
            ASSERT_EQ(event[property].size(), 1u) << property;
        }
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

TEST(PassExport, CsvHasOneLinePerPass) {
    const std::string csv = PassesCsv(samplePasses());
    const std::vector<std::string> lines = split(csv, "\n");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0],
              "satellite,catalogue_number,aos_utc,tca_utc,los_utc,aos_azimuth_deg,los_azimuth_deg,"
              "max_elevation_deg,visible_start_utc,visible_end_utc,magnitude,up_at_start");
    EXPECT_EQ(lines[1],
              "\"" + kLongName + "\",29000,"
              "2024-03-20T21:29:33Z,2024-03-20T21:32:48Z,2024-03-20T21:36:03Z,231.40,0.00,2.60,,,,1");
    EXPECT_EQ(lines[2],
              "ISS (ZARYA),25544,2024-03-20T23:53:33Z,2024-03-20T23:58:33Z,2024-03-21T00:03:33Z,"
              "231.40,0.00,63.40,2024-03-20T23:54:33Z,2024-03-21T00:03:33Z,-2.3,0");
}

TEST(PassExport, SavingReplacesTheWholeFileOrNothing) {
    TemporaryFolder folder;
    const std::string ics = folder.file("passes.ICS");
    const std::string csv = folder.write("passes.csv", "old");
    const double stamp = 2460390.0;
    ASSERT_TRUE(SavePassesFile(ics, samplePasses(), stamp));
    ASSERT_TRUE(SavePassesFile(csv, samplePasses(), stamp));
    std::ifstream in(csv);
    std::stringstream written;
    written << in.rdbuf();
    EXPECT_EQ(written.str(), PassesCsv(samplePasses()));
    EXPECT_EQ(std::filesystem::file_size(ics), PassesICalendar(samplePasses(), stamp).size());

    // A name the file cannot take (a folder there, no folder at all) fails
    // and leaves what was there, without a temporary beside it.
    std::filesystem::create_directory(folder.file("taken.csv"));
    EXPECT_FALSE(SavePassesFile(folder.file("taken.csv"), samplePasses(), stamp));
    EXPECT_FALSE(SavePassesFile(folder.file("missing/passes.csv"), samplePasses(), stamp));
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("taken.csv")));
    int entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        (void)entry;
        ++entries;
    }
    EXPECT_EQ(entries, 3);  // passes.ICS, passes.csv, taken.csv
}

TEST(PassExport, CommandLineFieldsRoundToTheSecond) {
    PassDetails p = pass("X", 1, JulianDateFromCalendar(2024, 12, 31, 23, 59, 59, 600), 1.0, 45.678);
    EXPECT_EQ(UtcSecondText(p.aos), "2025-01-01T00:00:00Z");
    EXPECT_EQ(PassDetailFields(p),
              "2025-01-01T00:00:00Z\t2025-01-01T00:00:30Z\t2025-01-01T00:01:00Z\t231.40\t0.00\t45.68\t-\t-");
    EXPECT_EQ(PassDetailFields(PassDetails{}), "-\t-\t-\t-\t-\t-\t-\t-");
    EXPECT_EQ(PassDurationText(599.6), "10:00");
    EXPECT_EQ(PassDurationText(3725.0), "1:02:05");
}
