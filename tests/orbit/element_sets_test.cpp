// Element sets: the two-line format, the line reader and loading a buffer.
#include <cstring>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "astro/constants.hpp"
#include "astro/julian_date.hpp"
#include "orbit/catalog_loading.hpp"
#include "orbit/line_reader.hpp"
#include "orbit/two_line_format.hpp"

using namespace vantrek;

namespace {

const char* kIssLine1 = "1 25544U 98067A   08264.51782528 -.00002182  00000-0 -11606-4 0  2927";
const char* kIssLine2 = "2 25544  51.6416 247.4627 0006703 130.5360 325.0288 15.72125391563537";

std::string elementSet(int number, const char* eol = "\r\n", const char* name = nullptr) {
    char text[300];
    char defaultName[32];
    std::snprintf(defaultName, sizeof defaultName, "SAT %05d               ", number);  // 24 columns
    std::snprintf(text, sizeof text,
                  "%s%s"
                  "1 %05dU 98067A   08264.51782528 -.00002182  00000-0 -11606-4 0  2927%s"
                  "2 %05d  51.6416 247.4627 0006703 130.5360 325.0288 15.72125391563537%s",
                  name ? name : defaultName, eol, number, eol, number, eol);
    return text;
}

std::string elementSets(int count, const char* eol = "\r\n") {
    std::string text;
    for (int i = 1; i <= count; ++i) text += elementSet(i, eol);
    return text;
}

int load(SatelliteCatalog& catalog, const std::string& text) {
    return loadElementSets(catalog, text.data(), static_cast<long>(text.size()));
}

bool sameElements(const ElementSet& a, const ElementSet& b) {
    return a.epoch == b.epoch && a.bstar == b.bstar && a.inclination == b.inclination &&
           a.raan == b.raan && a.eccentricity == b.eccentricity && a.argPerigee == b.argPerigee &&
           a.meanAnomaly == b.meanAnomaly && a.meanMotion == b.meanMotion &&
           a.catalogNumber == b.catalogNumber && a.revolutionNumber == b.revolutionNumber &&
           a.elementNumber == b.elementNumber;
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

TEST(CatalogLoading, CrLfLfAndShortNamesGiveTheSameRecords) {
    auto crlf = std::make_unique<SatelliteCatalog>();
    auto lf = std::make_unique<SatelliteCatalog>();
    ASSERT_EQ(load(*crlf, elementSets(5, "\r\n")), 5);
    ASSERT_EQ(load(*lf, elementSets(5, "\n")), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(sameElements(crlf->entries[i], lf->entries[i]));
        EXPECT_STREQ(crlf->entries[i].name, lf->entries[i].name);
        EXPECT_EQ(crlf->selected[i], 1);
    }
    EXPECT_EQ(crlf->selected[5], 0);
    ASSERT_EQ(load(*lf, elementSet(1, "\n", "ISS")), 1);
    EXPECT_TRUE(sameElements(lf->entries[0], crlf->entries[0]));
    EXPECT_STREQ(lf->entries[0].name, "ISS");
}

TEST(CatalogLoading, LastLineWithoutLineEndIsKept) {
    auto catalog = std::make_unique<SatelliteCatalog>();
    std::string text = elementSets(3);
    text.resize(text.size() - 2);  // drop the final CR LF
    EXPECT_EQ(load(*catalog, text), 3);
    EXPECT_EQ(catalog->entries[2].revolutionNumber, 56353);
    text.resize(text.size() - 2);  // and the checksum and a column of the revolution number
    EXPECT_EQ(load(*catalog, text), 3);
    EXPECT_EQ(catalog->entries[2].revolutionNumber, 5635);
}

TEST(CatalogLoading, StopsAtTheFirstBadSetKeepsCurrentAndKeepsAllWhenNoneIsRead) {
    auto catalog = std::make_unique<SatelliteCatalog>();
    catalog->current = 7;
    EXPECT_EQ(load(*catalog, elementSet(1) + elementSet(0) + elementSet(3)), 1);
    EXPECT_EQ(catalog->current, 7);
    EXPECT_EQ(catalog->selected[1], 0);
    EXPECT_EQ(catalog->selected.size(), 400u);
    // Nothing usable: the catalogue that was loaded stays.
    EXPECT_EQ(load(*catalog, std::string("NAME ONLY\r\n1 25544U\r\n")), 0);
    EXPECT_EQ(catalog->count, 1);
    EXPECT_EQ(catalog->selected[0], 1);
}

TEST(CatalogLoading, WholeFilesUpToTheLimitAndTheSetsPastItCounted) {
    // 3,000 sets load whole and equal to the same sets loaded 400 at a time.
    std::string text;
    for (int i = 1; i <= 3000; ++i) text += elementSet(i, "\n");
    auto whole = std::make_unique<SatelliteCatalog>();
    ASSERT_EQ(load(*whole, text), 3000);
    EXPECT_EQ(whole->selected.size(), 3000u);
    const std::size_t perSet = text.size() / 3000;
    for (int first = 0; first < 3000; first += 400) {
        auto piece = std::make_unique<SatelliteCatalog>();
        const int n = load(*piece, text.substr(first * perSet, 400 * perSet));
        for (int k = 0; k < n; ++k) {
            ASSERT_TRUE(sameElements(piece->entries[k], whole->entries[first + k])) << first + k;
            ASSERT_STREQ(piece->entries[k].name, whole->entries[first + k].name);
        }
    }
    // One set past the limit of 100,000 is counted, not stored.
    std::string many;
    many.reserve(static_cast<std::size_t>(kCatalogLimit + 1) * perSet);
    for (int i = 0; i <= kCatalogLimit; ++i) many += elementSet(i % 99999 + 1, "\n");
    const ElementSetLoad full = loadElementSetBuffer(*whole, many.data(), static_cast<long>(many.size()));
    EXPECT_EQ(full.loaded, kCatalogLimit);
    EXPECT_EQ(full.beyondLimit, 1);
    EXPECT_EQ(whole->entries.size(), static_cast<std::size_t>(kCatalogLimit));
}

TEST(CatalogLoading, WorkingSetAndPlaceholder) {
    auto catalog = std::make_unique<SatelliteCatalog>();
    ASSERT_EQ(load(*catalog, elementSets(3)), 3);
    catalog->entries[1].deepSpace = 1;
    catalog->entries[1].meanMotionDDot = 5.0;
    ElementSet working;
    working.period = 99.0;
    loadWorkingElementSet(*catalog, 1, working);
    EXPECT_TRUE(sameElements(working, catalog->entries[1]));
    EXPECT_STREQ(working.name, catalog->entries[1].name);
    EXPECT_EQ(working.period, 0.0);
    EXPECT_EQ(working.meanMotionDDot, 0.0);  // not copied
    EXPECT_EQ(working.deepSpace, 0);         // not copied

    auto fresh = std::make_unique<SatelliteCatalog>();
    loadPlaceholderElementSet(*fresh);
    EXPECT_EQ(fresh->count, 1);
    EXPECT_EQ(fresh->selected[0], 1);
    EXPECT_EQ(fresh->entries[0].meanMotion, 0.0);
}

TEST(TwoLineFormat, EveryFieldOfARealSet) {
    ElementSet set;
    // A name line longer than 24 characters is cut; trailing blanks are kept.
    ASSERT_TRUE(parseElementSet("ISS (ZARYA)             XYZ", kIssLine1, kIssLine2, set));
    EXPECT_STREQ(set.name, "ISS (ZARYA)             ");
    EXPECT_EQ(set.catalogNumber, 25544);
    EXPECT_DOUBLE_EQ(set.epoch, 8264.51782528);
    EXPECT_NEAR(JulianDateFromEpoch(set.epoch), JulianDateOfYearStart(2008) + 264.51782528, 1e-9);
    EXPECT_DOUBLE_EQ(set.meanMotionDot, -0.00002182);
    EXPECT_NEAR(set.bstar, -1.1606e-5, 1e-18);
    EXPECT_EQ(set.elementNumber, 292);
    EXPECT_NEAR(set.inclination, 51.6416 * kDegree, 1e-15);
    EXPECT_NEAR(set.raan, 247.4627 * kDegree, 1e-14);
    EXPECT_NEAR(set.eccentricity, 0.0006703, 1e-16);
    EXPECT_NEAR(set.argPerigee, 130.5360 * kDegree, 1e-14);
    EXPECT_NEAR(set.meanAnomaly, 325.0288 * kDegree, 1e-14);
    EXPECT_NEAR(set.meanMotion, 15.72125391 * kRevPerDayToRadPerMin, 1e-15);
    EXPECT_EQ(set.revolutionNumber, 56353);
}

TEST(TwoLineFormat, BstarSignsMantissasAndExponents) {
    const struct { const char* columns; double bstar; } cases[] = {
        {"-11606-4", -1.1606e-5}, {" 00000-0", 0.0}, {" 50000+0", 0.5}, {" 66816-4", 6.6816e-5}, {"        ", 0.0}};
    for (const auto& c : cases) {
        std::string line1 = kIssLine1;
        line1.replace(53, 8, c.columns);  // columns 54..61
        ElementSet set;
        parseElementSet("X", line1.c_str(), kIssLine2, set);
        EXPECT_NEAR(set.bstar, c.bstar, 1e-18) << c.columns;
    }
}

TEST(TwoLineFormat, BlanksInsideFieldsAndShortLines) {
    ElementSet set;
    // A blank inside a field is dropped before the number is read.
    ASSERT_TRUE(parseElementSet("X", kIssLine1, "2 25544   5.6416 247.4627 0006703 130.5360   5.0288  1.72125391563537", set));
    EXPECT_NEAR(set.inclination, 5.6416 * kDegree, 1e-15);
    EXPECT_NEAR(set.meanAnomaly, 5.0288 * kDegree, 1e-15);
    EXPECT_NEAR(set.meanMotion, 1.72125391 * kRevPerDayToRadPerMin, 1e-15);
    // Lines cut short give zeros for the columns they lack.
    EXPECT_TRUE(parseElementSet("", "1 25544U", "2", set));
    EXPECT_EQ(set.epoch, 0.0);
    EXPECT_EQ(set.meanMotion, 0.0);
    EXPECT_STREQ(set.name, "");
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
    EXPECT_FALSE(parseElementSet("NONE", "1 00000U 98067A   08264.51782528", kIssLine2, set));
    EXPECT_STREQ(set.name, "NONE");  // the slot is written whatever the result
}
