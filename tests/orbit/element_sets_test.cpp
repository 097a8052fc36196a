// Element sets: the two-line format, the line reader, loading a buffer, and
// the orbit mean-elements messages, compared with the two-line files they
// were converted from (scripts/tle_to_omm.py), and hostile ones.
#include <cmath>
#include <cstring>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "../support/orbit_fixtures.hpp"
#include "orbit/line_reader.hpp"
#include "orbit/omm_epoch.hpp"
#include "orbit/two_line_format.hpp"

using namespace vantrek;
using namespace vantrek::testing;

namespace {

const std::string kOmmDir = std::string(VANTREK_TESTS_DIR) + "/orbit/omm/";
const std::string kHostileDir = std::string(VANTREK_TESTS_DIR) + "/data/orbit/";

std::string issSets(int count, const std::string& eol = "\n") {
    std::string text;
    for (int i = 1; i <= count; ++i) text += issSetText(i, eol);
    return text;
}

// The fields of the two-line form: the other forms and a working copy agree to rounding.
void expectSameElements(const ElementSet& a, const ElementSet& b) {
    EXPECT_EQ(std::make_tuple(a.catalogNumber, a.elementNumber, a.revolutionNumber),
              std::make_tuple(b.catalogNumber, b.elementNumber, b.revolutionNumber));
    const double x[] = {a.epoch, a.meanMotionDot, a.bstar,      a.inclination, a.raan,
                        a.eccentricity, a.argPerigee, a.meanAnomaly, a.meanMotion};
    const double y[] = {b.epoch, b.meanMotionDot, b.bstar,      b.inclination, b.raan,
                        b.eccentricity, b.argPerigee, b.meanAnomaly, b.meanMotion};
    for (int i = 0; i < 9; ++i) EXPECT_NEAR(x[i], y[i], 1e-12 * std::fabs(y[i])) << "field " << i;
}

std::string trimmed(const char* name) {
    std::string text(name);
    return text.substr(0, text.find_last_not_of(' ') + 1);
}

}  // namespace

TEST(LineReader, LineEndsCapacityBlankLinesAndRewind) {
    const char text[] = "first\r\nsecond line that is long\n\nthird";
    LineReader reader;
    startLines(reader, text, static_cast<long>(std::strlen(text)));
    char line[8];
    // Cut to capacity - 1 with the rest skipped; a last line without a line end is still a line.
    for (const char* expected : {"first", "second ", "", "third"}) {
        ASSERT_TRUE(readLine(reader, line, sizeof line)) << expected;
        EXPECT_STREQ(line, expected);
    }
    EXPECT_FALSE(readLine(reader, line, sizeof line));
    EXPECT_STREQ(line, "");
    ASSERT_TRUE(readLine(reader, line, sizeof line));  // rewound to the start
    EXPECT_STREQ(line, "first");
    startLines(reader, "", 0);
    EXPECT_FALSE(readLine(reader, line, sizeof line));
    startLines(reader, nullptr, -1);
    EXPECT_FALSE(readLine(reader, line, sizeof line));
}

TEST(CatalogLoading, CrLfLfShortNamesAndALastLineWithoutLineEnd) {
    const auto crlf = loaded(issSets(5, "\r\n")), lf = loaded(issSets(5));
    ASSERT_EQ(crlf->count, 5);
    ASSERT_EQ(lf->count, 5);
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        expectSameElements(crlf->entries[i], lf->entries[i]);
        EXPECT_STREQ(crlf->entries[i].name, lf->entries[i].name);
    }
    const auto named = loaded(issSetText(1, "\n", "ISS"));
    EXPECT_STREQ(named->entries[0].name, "ISS");
    expectSameElements(named->entries[0], crlf->entries[0]);

    std::string text = issSets(3, "\r\n");
    text.resize(text.size() - 2);  // drop the final CR LF
    EXPECT_EQ(loaded(text)->entries.at(2).revolutionNumber, 56353);
    text.resize(text.size() - 2);  // and the checksum and a column of the revolution number
    EXPECT_EQ(loaded(text)->entries.at(2).revolutionNumber, 5635);
}

TEST(CatalogLoading, StopsAtTheFirstBadSetKeepsCurrentAndKeepsAllWhenNoneIsRead) {
    auto catalog = std::make_unique<SatelliteCatalog>();
    catalog->current = 7;
    const std::string text = issSetText(1) + issSetText(0) + issSetText(3);
    EXPECT_EQ(loadElementSets(*catalog, text.data(), static_cast<long>(text.size())), 1);
    EXPECT_EQ(catalog->current, 7);
    EXPECT_EQ(catalog->selected.size(), 400u);
    // Nothing usable: the catalogue that was loaded stays (the selection flags
    // that go with the count: the element-set fuzz target's property).
    EXPECT_EQ(loadElementSets(*catalog, "NAME ONLY\r\n1 25544U\r\n", 21), 0);
    EXPECT_EQ(catalog->count, 1);
}

TEST(CatalogLoading, WholeFilesUpToTheLimitAndTheSetsPastItCounted) {
    // Sets numbered 1..99999, then 1 and 2 again: the last, past the limit
    // of 100,000, is counted, not stored.
    std::string many;
    for (int i = 0; i <= kCatalogLimit; ++i) many += issSetText(i % 99999 + 1);
    ElementSetLoad full;
    const auto limited = loaded(many, &full);
    EXPECT_EQ(std::make_tuple(full.loaded, full.beyondLimit), std::make_tuple(kCatalogLimit, 1));
    EXPECT_EQ(limited->entries.size(), static_cast<std::size_t>(kCatalogLimit));
    EXPECT_EQ(limited->selected.size(), static_cast<std::size_t>(kCatalogLimit));
    EXPECT_EQ(limited->entries[kCatalogLimit - 1].catalogNumber, 1);
}

TEST(CatalogLoading, WorkingSetCopiesOnlyTheElements) {
    auto catalog = loaded(issSets(3));
    catalog->entries[1].deepSpace = 1;
    catalog->entries[1].meanMotionDDot = 5.0;
    ElementSet working;
    working.period = 99.0;
    loadWorkingElementSet(*catalog, 1, working);
    expectSameElements(working, catalog->entries[1]);
    EXPECT_STREQ(working.name, catalog->entries[1].name);
    EXPECT_EQ(working.period, 0.0);
    EXPECT_EQ(working.meanMotionDDot, 0.0);  // not copied
    EXPECT_EQ(working.deepSpace, 0);         // not copied
}

TEST(TwoLineFormat, EveryFieldOfARealSetDragTermsBlanksAndShortLines) {
    ElementSet set;
    // A name line longer than 24 characters is cut; trailing blanks are kept.
    ASSERT_TRUE(parseElementSet("ISS (ZARYA)             XYZ", kIssLine1.c_str(), kIssLine2.c_str(), set));
    EXPECT_STREQ(set.name, "ISS (ZARYA)             ");
    // The fields as printed on the two lines.
    EXPECT_EQ(std::make_tuple(set.catalogNumber, set.elementNumber, set.revolutionNumber),
              std::make_tuple(25544, 292, 56353));
    const double got[] = {set.epoch, set.meanMotionDot, set.bstar, set.inclination / kDegree, set.raan / kDegree,
                          set.eccentricity, set.argPerigee / kDegree, set.meanAnomaly / kDegree,
                          set.meanMotion / kRevPerDayToRadPerMin};
    const double printed[] = {8264.51782528, -0.00002182, -1.1606e-5, 51.6416, 247.4627,
                              0.0006703,     130.5360,    325.0288,   15.72125391};
    for (int i = 0; i < 9; ++i) EXPECT_NEAR(got[i], printed[i], 1e-13 * std::fabs(printed[i])) << "field " << i;

    // The drag term's signs, mantissas and exponents.
    const struct { const char* columns; double bstar; } cases[] = {
        {"-11606-4", -1.1606e-5}, {" 00000-0", 0.0}, {" 50000+0", 0.5}, {" 66816-4", 6.6816e-5}, {"        ", 0.0}};
    for (const auto& c : cases) {
        parseElementSet("X", withColumns(kIssLine1, 54, c.columns).c_str(), kIssLine2.c_str(), set);
        EXPECT_NEAR(set.bstar, c.bstar, 1e-18) << c.columns;
    }
    // A blank inside a field is dropped before the number is read.
    ASSERT_TRUE(parseElementSet("X", kIssLine1.c_str(),
                                "2 25544   5.6416 247.4627 0006703 130.5360   5.0288  1.72125391563537", set));
    EXPECT_NEAR(set.inclination, 5.6416 * kDegree, 1e-15);
    EXPECT_NEAR(set.meanAnomaly, 5.0288 * kDegree, 1e-15);
    EXPECT_NEAR(set.meanMotion, 1.72125391 * kRevPerDayToRadPerMin, 1e-15);
    // Lines cut short give zeros for the columns they lack.
    EXPECT_TRUE(parseElementSet("", "1 25544U", "2", set));
    EXPECT_EQ(std::make_tuple(set.epoch, set.meanMotion, std::string(set.name)), std::make_tuple(0.0, 0.0, std::string()));
}

TEST(TwoLineFormat, CatalogNumbersPlainAndAlpha5) {
    // Alpha-5: a leading letter counts from 10 (A) with I and O skipped.
    const struct { const char* line; int number; } cases[] = {
        {"1 00005U", 5},      {"1 99999U", 99999},  {"1 A0001U", 100001}, {"1 H9999U", 179999},
        {"1 J0000U", 180000}, {"1 P1234U", 231234}, {"1 Z9999U", 339999}, {"1 I0001U", 0},
        {"1 O0001U", 0},      {"1 a0001U", 0},      {"1 00000U", 0},      {"1      U", 0},
        {"1 2 544U", 2544}};
    for (const auto& c : cases) EXPECT_EQ(readCatalogNumber(c.line), c.number) << c.line;
    ElementSet set;
    EXPECT_FALSE(parseElementSet("NONE", "1 00000U 98067A   08264.51782528", kIssLine2.c_str(), set));
    EXPECT_STREQ(set.name, "NONE");  // the slot is written whatever the result
}

TEST(OmmForms, LoadTheSameSetsAsTheTwoLineFilesTheyWereConvertedFrom) {
    for (const char* stem : {"sample", "six_digit"}) {
        const auto tle = loaded(readText(kOmmDir + stem + ".tle"));
        ASSERT_GT(tle->count, 0) << stem;
        for (const char* form : {"csv", "json", "xml"}) {
            const std::string where = std::string(stem) + "." + form;
            ElementSetLoad report;
            const auto omm = loaded(readText(kOmmDir + where), &report);
            ASSERT_EQ(omm->count, tle->count) << where;
            EXPECT_EQ(report.skipped, 0) << where;
            for (int i = 0; i < tle->count; ++i) {
                const ElementSet &o = omm->entries[i], &t = tle->entries[i];
                SCOPED_TRACE(where + " set " + std::to_string(i));
                expectSameElements(o, t);
                EXPECT_EQ(trimmed(o.name), trimmed(t.name));
                EXPECT_EQ(o.meanMotionDDot, 0.0);
            }
        }
    }
}

// The form is told by the content, never by the file's name.
TEST(OmmForms, ToldByContent) {
    const std::pair<std::string, ElementSetForm> cases[] = {
        {"\xEF\xBB\xBF \r\n[", ElementSetForm::OmmJson},
        {"{}", ElementSetForm::OmmJson},
        {"\n\t<?xml", ElementSetForm::OmmXml},
        {"\"OBJECT_NAME\",\"NORAD_CAT_ID\"\r\n", ElementSetForm::OmmCsv},
        {"ISS (ZARYA)\nNORAD_CAT_ID\n", ElementSetForm::TwoLine},
        {"", ElementSetForm::TwoLine}};
    for (const auto& [text, form] : cases) {
        EXPECT_EQ(detectElementSetForm(text.data(), static_cast<long>(text.size())), form) << text;
    }
}

TEST(OmmEpoch, IsoTimesAsTwoLineEpochs) {
    double epoch = 0.0;
    ASSERT_TRUE(epochFromIsoTime("2026-12-06T04:31:12.345678", epoch));
    const double oneMicrosecondDays = 1e-6 / 86400.0;
    EXPECT_NEAR(epoch, 26340.0 + (4 * 3600 + 31 * 60 + 12.345678) / 86400.0, oneMicrosecondDays);
    // 1e-8 day is 864 us: the two-line parser's 08264 + 51782528 / 1e8, to the bit.
    ASSERT_TRUE(epochFromIsoTime("2008-09-20T12:25:40.104192Z", epoch));
    EXPECT_EQ(epoch, 8264.0 + 51782528.0 / 1e8);
    ASSERT_TRUE(epochFromIsoTime("2024-366 23:59:59.999999999123", epoch));
    EXPECT_NEAR(epoch, 24367.0, oneMicrosecondDays);
    ASSERT_TRUE(epochFromIsoTime("1957-01-01T00:00:00", epoch));
    EXPECT_EQ(epoch, 57001.0);
    ASSERT_TRUE(epochFromIsoTime("2024-02-29T00:00:00", epoch));
    EXPECT_EQ(epoch, 24060.0);
    for (const char* bad : {"2023-02-29T00:00:00", "2057-01-01T00:00:00", "1956-12-31T23:59:59",
                            "2026-12-06T24:00:00", "2026-12-06T12:00:60", "2026-13-01T00:00:00",
                            "2026-12-06T12:00:00.", "2026-12-06T12:00:00+01:00", "2026-12-06",
                            "2025-366T00:00:00", "26-12-06T12:00:00", ""}) {
        EXPECT_FALSE(epochFromIsoTime(bad, epoch)) << bad;
    }
}

// hostile.csv: each record that cannot be used names its fault and is skipped
// and counted (LONG LINE is widened to 100,000 characters here), as is the
// last one, cut off before its last field as a broken download ends. Blank
// lines, extra columns, a quoted name with a comma and a quote, a long name,
// CR LF, blanks after a number and an empty optional field (B* 0) all load.
TEST(OmmHostile, CsvRecordsThatCannotBeUsedAreSkipped) {
    std::string csv = readText(kHostileDir + "hostile.csv");
    csv.replace(csv.find("LONG LINE"), 9, std::string(100000, 'z'));
    ElementSetLoad report;
    const auto catalog = loaded(csv, &report);
    EXPECT_EQ(report.form, ElementSetForm::OmmCsv);
    ASSERT_EQ(catalog->count, 3);
    EXPECT_EQ(report.skipped, 19);
    EXPECT_EQ(catalog->entries[1].catalogNumber, 14);
    EXPECT_STREQ(catalog->entries[1].name, "A, \"B\"");
    EXPECT_EQ(catalog->entries[1].bstar, 0.0);
    EXPECT_EQ(std::string(catalog->entries[2].name), std::string(24, 'N'));
}

// hostile.json: numbers as strings, a nested object ignored, two records that are no object.
TEST(OmmHostile, JsonNumbersAsStringsNestingAndTruncation) {
    const std::string json = readText(kHostileDir + "hostile.json");
    ElementSetLoad report;
    auto catalog = loaded(json, &report);
    ASSERT_EQ(catalog->count, 3);
    EXPECT_EQ(catalog->entries[1].catalogNumber, 2);
    EXPECT_EQ(report.skipped, 2);
    // Cut off inside the last record: the records before it stay.
    catalog = loaded(json.substr(0, json.rfind(",\"MEAN_ANOMALY\"")), &report);
    EXPECT_EQ(catalog->count, 2);
    EXPECT_EQ(report.skipped, 3);
    // One object alone; invalid UTF-8 in a string stops the parse there.
    const std::string first = json.substr(1, json.find('}'));
    EXPECT_EQ(loaded(first)->entries[0].catalogNumber, 1);
    EXPECT_EQ(loaded("[" + first + ",{\"OBJECT_NAME\":\"\xC3\x28\"}]")->count, 1);
    // Deep nesting does not exhaust the stack.
    EXPECT_EQ(loaded(std::string(1000000, '['))->count, 0);
}

TEST(OmmHostile, XmlTruncationEntitiesAndEncodings) {
    const std::string xml = readText(kHostileDir + "two_records.xml");
    ElementSetLoad report;
    EXPECT_EQ(loaded(xml, &report)->count, 2);
    EXPECT_EQ(report.skipped, 0);
    // Cut inside the second record's number, 12345 read as 123: the first
    // record stays, the second is skipped.
    auto catalog = loaded(xml.substr(0, xml.rfind("45</NORAD_CAT_ID>")), &report);
    EXPECT_EQ(catalog->count, 1);
    EXPECT_EQ(report.skipped, 1);
    // laughs.xml: entities of a document type are never expanded.
    catalog = loaded(readText(kHostileDir + "laughs.xml"));
    ASSERT_EQ(catalog->count, 1);
    EXPECT_LT(std::strlen(catalog->entries[0].name), 25u);
    // latin1.xml: namespace prefixes; a declared Latin-1 document becomes UTF-8.
    catalog = loaded(readText(kHostileDir + "latin1.xml"));
    ASSERT_EQ(catalog->count, 1);
    EXPECT_STREQ(catalog->entries[0].name, "S\xC3\xA9T");
}
