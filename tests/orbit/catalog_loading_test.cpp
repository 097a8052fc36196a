#include "orbit/catalog_loading.hpp"

#include <cstring>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "orbit/line_reader.hpp"

using namespace vantrek;

namespace {

std::string elementSet(int number, const char* eol = "\r\n", const char* name = nullptr) {
    char text[300];
    char defaultName[32];
    std::snprintf(defaultName, sizeof defaultName, "SAT %05d               ", number);
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

TEST(LineReader, LineEndsCapacityAndRewind) {
    const char text[] = "first\r\nsecond line that is long\nthird";
    LineReader reader;
    startLines(reader, text, static_cast<long>(std::strlen(text)));
    char line[8];
    ASSERT_TRUE(readLine(reader, line, sizeof line));
    EXPECT_STREQ(line, "first");
    ASSERT_TRUE(readLine(reader, line, sizeof line));
    EXPECT_STREQ(line, "second ");  // cut to capacity - 1, the rest skipped
    ASSERT_TRUE(readLine(reader, line, sizeof line));
    EXPECT_STREQ(line, "third");    // no line end: still a line
    EXPECT_FALSE(readLine(reader, line, sizeof line));
    EXPECT_STREQ(line, "");
    ASSERT_TRUE(readLine(reader, line, sizeof line));  // rewound to the start
    EXPECT_STREQ(line, "first");
}

TEST(LineReader, EmptyBufferAndBlankLines) {
    LineReader reader;
    char line[8];
    startLines(reader, "", 0);
    EXPECT_FALSE(readLine(reader, line, sizeof line));
    startLines(reader, nullptr, -1);
    EXPECT_FALSE(readLine(reader, line, sizeof line));
    startLines(reader, "\r\n\n", 3);
    EXPECT_TRUE(readLine(reader, line, sizeof line));
    EXPECT_STREQ(line, "");
    EXPECT_TRUE(readLine(reader, line, sizeof line));
    EXPECT_FALSE(readLine(reader, line, sizeof line));
}

TEST(CatalogLoading, CrLfAndLfGiveTheSameRecords) {
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
    // Short names give the same elements.
    auto shortNames = std::make_unique<SatelliteCatalog>();
    ASSERT_EQ(load(*shortNames, elementSet(1, "\n", "ISS")), 1);
    EXPECT_TRUE(sameElements(shortNames->entries[0], crlf->entries[0]));
    EXPECT_STREQ(shortNames->entries[0].name, "ISS");
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

TEST(CatalogLoading, StopsAtTheFirstBadSetAndKeepsCurrent) {
    auto catalog = std::make_unique<SatelliteCatalog>();
    catalog->current = 7;
    std::string text = elementSet(1) + elementSet(0) + elementSet(3);
    EXPECT_EQ(load(*catalog, text), 1);
    EXPECT_EQ(catalog->current, 7);
    EXPECT_EQ(catalog->selected[1], 0);
    EXPECT_EQ(load(*catalog, std::string("NAME ONLY\r\n1 25544U\r\n")), 0);
    EXPECT_EQ(load(*catalog, std::string()), 0);
    EXPECT_EQ(catalog->selected[0], 0);
}

TEST(CatalogLoading, TwoLineFilesAreMisread) {
    auto catalog = std::make_unique<SatelliteCatalog>();
    std::string text;
    for (int i = 1; i <= 3; ++i) {
        const std::string set = elementSet(i);
        text += set.substr(set.find("\r\n") + 2);  // without the name line
    }
    // Every line shifts role: the first "name" is a line 1, its "line 1" a line 2.
    ASSERT_GE(load(*catalog, text), 1);
    EXPECT_EQ(std::string(catalog->entries[0].name), "1 00001U 98067A   08264.");
    EXPECT_NE(catalog->entries[0].epoch, 8264.51782528);
}

TEST(CatalogLoading, FourHundredSetLimit) {
    auto catalog = std::make_unique<SatelliteCatalog>();
    std::string text;
    for (int i = 1; i <= 401; ++i) text += elementSet(i, "\n", "S");
    ASSERT_LT(text.size() / 185, 401u);  // short lines: the byte cut does not apply
    EXPECT_EQ(load(*catalog, text), 400);
    EXPECT_EQ(catalog->entries[399].catalogNumber, 400);
    EXPECT_EQ(catalog->selected[399], 1);
    text.clear();
    for (int i = 1; i <= 400; ++i) text += elementSet(i, "\n", "S");
    EXPECT_EQ(load(*catalog, text), 400);
}

TEST(CatalogLoading, LongBuffersAreCutTo74000Bytes) {
    auto catalog = std::make_unique<SatelliteCatalog>();
    // Name lines of 150 characters make sets of 294 bytes: 400 of them are far
    // more than 400 x 185 bytes, so only the first 74,000 bytes are read.
    const std::string longName(150, 'N');
    std::string text;
    for (int i = 1; i <= 400; ++i) text += elementSet(i, "\r\n", longName.c_str());
    const long perSet = static_cast<long>(text.size()) / 400;
    ASSERT_EQ(perSet, 294);
    EXPECT_EQ(load(*catalog, text), 74000 / perSet);
    EXPECT_EQ(catalog->entries[0].name, std::string(24, 'N'));
    // At 400 x 185 bytes and one byte more, nothing is cut.
    std::string exact = elementSets(400);
    exact.resize(185 * 401 - 1, '\n');
    EXPECT_EQ(load(*catalog, exact), 400);
}

TEST(CatalogLoading, WorkingSetAndPlaceholder) {
    auto catalog = std::make_unique<SatelliteCatalog>();
    ASSERT_EQ(load(*catalog, elementSets(3)), 3);
    catalog->entries[1].deepSpace = 1;
    catalog->entries[1].meanMotionDDot = 5.0;
    ElementSet working;
    working.period = 99.0;
    working.deepSpace = 1;
    loadWorkingElementSet(*catalog, 1, working);
    EXPECT_TRUE(sameElements(working, catalog->entries[1]));
    EXPECT_STREQ(working.name, catalog->entries[1].name);
    EXPECT_EQ(working.period, 0.0);
    EXPECT_EQ(working.meanMotionDDot, 0.0);  // not copied
    EXPECT_EQ(working.deepSpace, 1);         // not copied

    auto fresh = std::make_unique<SatelliteCatalog>();
    loadPlaceholderElementSet(*fresh);
    EXPECT_EQ(fresh->count, 1);
    EXPECT_EQ(fresh->selected[0], 1);
    EXPECT_STREQ(fresh->entries[0].name, "No satellite ");
    EXPECT_EQ(fresh->entries[0].catalogNumber, 0);
    EXPECT_EQ(fresh->entries[0].meanMotion, 0.0);
    EXPECT_EQ(fresh->entries[0].epoch, 0.0);
    EXPECT_EQ(fresh->entries[0].bstar, 0.0);
}
