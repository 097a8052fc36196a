// Orbit mean-elements messages: the same element sets as the two-line files
// they were converted from (scripts/tle_to_omm.py), and hostile files.
#include <cstring>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "../support/element_set_text.hpp"
#include "../support/orbit_fixtures.hpp"
#include "orbit/omm_epoch.hpp"

using namespace vantrek;
using namespace vantrek::testing;

namespace {

const std::string kOmmDir = std::string(VANTREK_TESTS_DIR) + "/orbit/omm/";
const std::string kHostileDir = std::string(VANTREK_TESTS_DIR) + "/data/orbit/";

std::string trimmed(const char* name) {
    std::string text(name);
    return text.substr(0, text.find_last_not_of(' ') + 1);
}

// The two element lines of a set: every field the two-line form holds.
std::string elementLines(const ElementSet& set) {
    const std::string text = TwoLineText(set);
    return text.substr(text.find('\n'));
}

}  // namespace

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
            EXPECT_NE(report.form, ElementSetForm::TwoLine) << where;
            for (int i = 0; i < tle->count; ++i) {
                const ElementSet &o = omm->entries[i], &t = tle->entries[i];
                SCOPED_TRACE(where + " set " + std::to_string(i));
                EXPECT_EQ(omm->selected[i], 1);
                EXPECT_EQ(elementLines(o), elementLines(t));
                EXPECT_EQ(std::make_tuple(o.catalogNumber, trimmed(o.name), o.meanMotionDDot),
                          std::make_tuple(t.catalogNumber, trimmed(t.name), 0.0));
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
