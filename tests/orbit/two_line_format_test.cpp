#include "orbit/two_line_format.hpp"

#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "astro/constants.hpp"
#include "astro/julian_date.hpp"

using namespace vantrek;

namespace {

const char* kIssLine1 = "1 25544U 98067A   08264.51782528 -.00002182  00000-0 -11606-4 0  2927";
const char* kIssLine2 = "2 25544  51.6416 247.4627 0006703 130.5360 325.0288 15.72125391563537";

// A line 1 with its B* columns 54..61 replaced.
std::string withBstar(const char* bstar) {
    std::string line = kIssLine1;
    line.replace(53, 8, bstar);
    return line;
}

}  // namespace

TEST(TwoLineFormat, EveryFieldOfARealSet) {
    ElementSet set;
    ASSERT_TRUE(parseElementSet("ISS (ZARYA)             ", kIssLine1, kIssLine2, set));
    EXPECT_STREQ(set.name, "ISS (ZARYA)             ");
    EXPECT_EQ(set.catalogNumber, 25544);
    EXPECT_DOUBLE_EQ(set.epoch, 8264.51782528);
    EXPECT_NEAR(JulianDateFromEpoch(set.epoch), JulianDateOfYearStart(2008) + 264.51782528, 1e-9);
    EXPECT_DOUBLE_EQ(set.meanMotionDot, -0.00002182);
    EXPECT_EQ(set.meanMotionDDot, 0.0);
    EXPECT_NEAR(set.bstar, -1.1606e-5, 1e-18);
    EXPECT_EQ(set.elementNumber, 292);
    EXPECT_NEAR(set.inclination, 51.6416 * kDegree, 1e-15);
    EXPECT_NEAR(set.raan, 247.4627 * kDegree, 1e-14);
    EXPECT_NEAR(set.eccentricity, 0.0006703, 1e-16);
    EXPECT_NEAR(set.argPerigee, 130.5360 * kDegree, 1e-14);
    EXPECT_NEAR(set.meanAnomaly, 325.0288 * kDegree, 1e-14);
    EXPECT_NEAR(set.meanMotion, 15.72125391 * kRevPerDayToRadPerMin, 1e-15);
    EXPECT_EQ(set.revolutionNumber, 56353);
    EXPECT_EQ(set.period, 0.0);
    EXPECT_EQ(set.deepSpace, 0);
}

TEST(TwoLineFormat, BstarSignsMantissasAndExponents) {
    ElementSet set;
    parseElementSet("X", withBstar("-11606-4").c_str(), kIssLine2, set);
    EXPECT_NEAR(set.bstar, -1.1606e-5, 1e-18);
    parseElementSet("X", withBstar(" 00000-0").c_str(), kIssLine2, set);
    EXPECT_EQ(set.bstar, 0.0);
    parseElementSet("X", withBstar(" 50000+0").c_str(), kIssLine2, set);
    EXPECT_DOUBLE_EQ(set.bstar, 0.5);
    parseElementSet("X", withBstar(" 66816-4").c_str(), kIssLine2, set);
    EXPECT_NEAR(set.bstar, 6.6816e-5, 1e-18);
    parseElementSet("X", withBstar("        ").c_str(), kIssLine2, set);
    EXPECT_EQ(set.bstar, 0.0);
}

TEST(TwoLineFormat, BlanksShortLinesAndMissingFields) {
    // The report's deep-space test set has no element-number or checksum columns.
    ElementSet set;
    ASSERT_TRUE(parseElementSet("SDP4 TEST", "1 11801U          80230.29629788  .01431103  00000-0  14311-1",
                                "2 11801  46.7916 230.4354 7318036  47.4722  10.4117  2.28537848", set));
    EXPECT_EQ(set.elementNumber, 0);
    EXPECT_EQ(set.revolutionNumber, 0);
    EXPECT_NEAR(set.bstar, 0.014311, 1e-15);
    EXPECT_NEAR(set.eccentricity, 0.7318036, 1e-15);
    EXPECT_NEAR(set.meanMotionDot, 0.01431103, 1e-15);
    EXPECT_NEAR(set.meanMotion, 2.28537848 * kRevPerDayToRadPerMin, 1e-15);
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
    EXPECT_EQ(readCatalogNumber("1 00005U"), 5);
    EXPECT_EQ(readCatalogNumber("1 99999U"), 99999);
    EXPECT_EQ(readCatalogNumber("1 A0001U"), 100001);
    EXPECT_EQ(readCatalogNumber("1 H9999U"), 179999);
    EXPECT_EQ(readCatalogNumber("1 J0000U"), 180000);  // I is skipped
    EXPECT_EQ(readCatalogNumber("1 P1234U"), 231234);  // O is skipped
    EXPECT_EQ(readCatalogNumber("1 Z9999U"), 339999);
    EXPECT_EQ(readCatalogNumber("1 I0001U"), 0);
    EXPECT_EQ(readCatalogNumber("1 O0001U"), 0);
    EXPECT_EQ(readCatalogNumber("1 a0001U"), 0);
    EXPECT_EQ(readCatalogNumber("1 00000U"), 0);
    EXPECT_EQ(readCatalogNumber("1      U"), 0);
    EXPECT_EQ(readCatalogNumber("1 2 544U"), 2544);
    ElementSet set;
    EXPECT_FALSE(parseElementSet("NONE", "1 00000U 98067A   08264.51782528", kIssLine2, set));
    EXPECT_STREQ(set.name, "NONE");  // the slot is written whatever the result
}

TEST(TwoLineFormat, LongNameLineIsCutTo24) {
    ElementSet set;
    parseElementSet("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123", kIssLine1, kIssLine2, set);
    EXPECT_STREQ(set.name, "ABCDEFGHIJKLMNOPQRSTUVWX");
}
