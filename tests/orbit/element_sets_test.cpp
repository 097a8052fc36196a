// Element sets: the two-line format, the line reader and loading a buffer.
#include <cmath>
#include <cstring>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "../support/element_set_text.hpp"
#include "../support/orbit_fixtures.hpp"
#include "orbit/line_reader.hpp"
#include "orbit/two_line_format.hpp"

using namespace vantrek;
using namespace vantrek::testing;

namespace {

std::string issSets(int count, const std::string& eol = "\n") {
    std::string text;
    for (int i = 1; i <= count; ++i) text += issSetText(i, eol);
    return text;
}

// Every field the two-line form holds, and the name.
bool sameSet(const ElementSet& a, const ElementSet& b) { return TwoLineText(a) == TwoLineText(b); }
std::string elementLines(const ElementSet& set) {
    const std::string text = TwoLineText(set);
    return text.substr(text.find('\n'));
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
        EXPECT_TRUE(sameSet(crlf->entries[i], lf->entries[i])) << i;
        EXPECT_EQ(crlf->selected[i], 1);
    }
    EXPECT_EQ(crlf->selected[5], 0);
    const auto named = loaded(issSetText(1, "\n", "ISS"));
    EXPECT_STREQ(named->entries[0].name, "ISS");
    EXPECT_EQ(elementLines(named->entries[0]), elementLines(crlf->entries[0]));

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
    EXPECT_EQ(catalog->selected[1], 0);
    EXPECT_EQ(catalog->selected.size(), 400u);
    // Nothing usable: the catalogue that was loaded stays.
    EXPECT_EQ(loadElementSets(*catalog, "NAME ONLY\r\n1 25544U\r\n", 21), 0);
    EXPECT_EQ(catalog->count, 1);
    EXPECT_EQ(catalog->selected[0], 1);
}

TEST(CatalogLoading, WholeFilesUpToTheLimitAndTheSetsPastItCounted) {
    const auto whole = loaded(issSets(3000));
    ASSERT_EQ(whole->count, 3000);
    EXPECT_EQ(whole->selected.size(), 3000u);
    EXPECT_EQ(whole->entries[2999].catalogNumber, 3000);
    // One set past the limit of 100,000 is counted, not stored.
    const std::string one = issSetText(1);
    std::string many;
    many.reserve((kCatalogLimit + 1) * one.size());
    for (int i = 0; i <= kCatalogLimit; ++i) many += one;
    ElementSetLoad full;
    const auto limited = loaded(many, &full);
    EXPECT_EQ(std::make_tuple(full.loaded, full.beyondLimit), std::make_tuple(kCatalogLimit, 1));
    EXPECT_EQ(limited->entries.size(), static_cast<std::size_t>(kCatalogLimit));
}

TEST(CatalogLoading, WorkingSetAndPlaceholder) {
    auto catalog = loaded(issSets(3));
    catalog->entries[1].deepSpace = 1;
    catalog->entries[1].meanMotionDDot = 5.0;
    ElementSet working;
    working.period = 99.0;
    loadWorkingElementSet(*catalog, 1, working);
    EXPECT_TRUE(sameSet(working, catalog->entries[1]));
    EXPECT_EQ(working.period, 0.0);
    EXPECT_EQ(working.meanMotionDDot, 0.0);  // not copied
    EXPECT_EQ(working.deepSpace, 0);         // not copied

    auto fresh = std::make_unique<SatelliteCatalog>();
    loadPlaceholderElementSet(*fresh);
    EXPECT_EQ(std::make_tuple(fresh->count, fresh->selected[0], fresh->entries[0].meanMotion),
              std::make_tuple(1, 1, 0.0));
}

TEST(TwoLineFormat, EveryFieldOfARealSet) {
    ElementSet set;
    // A name line longer than 24 characters is cut; trailing blanks are kept.
    ASSERT_TRUE(parseElementSet("ISS (ZARYA)             XYZ", kIssLine1.c_str(), kIssLine2.c_str(), set));
    EXPECT_STREQ(set.name, "ISS (ZARYA)             ");
    // The fields as printed on the two lines.
    EXPECT_EQ(std::make_tuple(set.catalogNumber, set.elementNumber, set.revolutionNumber),
              std::make_tuple(25544, 292, 56353));
    EXPECT_NEAR(JulianDateFromEpoch(set.epoch), JulianDateOfYearStart(2008) + 264.51782528, 1e-9);
    const double got[] = {set.epoch, set.meanMotionDot, set.bstar, set.inclination / kDegree, set.raan / kDegree,
                          set.eccentricity, set.argPerigee / kDegree, set.meanAnomaly / kDegree,
                          set.meanMotion / kRevPerDayToRadPerMin};
    const double printed[] = {8264.51782528, -0.00002182, -1.1606e-5, 51.6416, 247.4627,
                              0.0006703,     130.5360,    325.0288,   15.72125391};
    for (int i = 0; i < 9; ++i) EXPECT_NEAR(got[i], printed[i], 1e-13 * std::fabs(printed[i])) << "field " << i;
}

TEST(TwoLineFormat, BstarSignsMantissasAndExponents) {
    const struct { const char* columns; double bstar; } cases[] = {
        {"-11606-4", -1.1606e-5}, {" 00000-0", 0.0}, {" 50000+0", 0.5}, {" 66816-4", 6.6816e-5}, {"        ", 0.0}};
    for (const auto& c : cases) {
        ElementSet set;
        parseElementSet("X", withColumns(kIssLine1, 54, c.columns).c_str(), kIssLine2.c_str(), set);
        EXPECT_NEAR(set.bstar, c.bstar, 1e-18) << c.columns;
    }
}

TEST(TwoLineFormat, BlanksInsideFieldsAndShortLines) {
    ElementSet set;
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
