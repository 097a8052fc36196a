#include <cmath>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "astro/angles.hpp"
#include "astro/constants.hpp"
#include "astro/look_angles.hpp"
#include "astro/star_catalog.hpp"
#include "astro/stars.hpp"

using namespace vantrek;

namespace {

double rightAscensionHours(const StarRow& s) {
    return NormalizeAngle(std::atan2(s.sinRightAscension, s.cosRightAscension)) / kDegree / 15.0;
}
double declinationDegrees(const StarRow& s) { return std::atan2(s.sinDeclination, s.cosDeclination) / kDegree; }

// Number columns of a reference data file, one vector per line that has all of them.
std::vector<std::vector<double>> readColumns(const char* name, int columns) {
    std::vector<std::vector<double>> rows;
    std::ifstream in(std::string(VANTREK_REFERENCE_DATA_DIR) + "/" + name);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line.substr(0, line.find('#')));
        std::vector<double> row(columns);
        int n = 0;
        while (n < columns && fields >> row[n]) ++n;
        if (n == columns) rows.push_back(row);
    }
    return rows;
}

// Row of the table nearest to a position, if within 3 arcminutes; -1 otherwise.
int nearestRow(double decDeg, double raHours) {
    const double d = decDeg * kDegree, r = raHours * 15.0 * kDegree;
    int best = -1;
    double bestCos = std::cos(3.0 / 60.0 * kDegree);
    for (int i = 0; i < kStarCount; ++i) {
        const StarRow& s = StarCatalog[i];
        const double c = std::cos(d) * s.cosDeclination * (std::cos(r) * s.cosRightAscension + std::sin(r) * s.sinRightAscension) +
                         std::sin(d) * s.sinDeclination;
        if (c > bestCos) {
            bestCos = c;
            best = i;
        }
    }
    return best;
}

}  // namespace

TEST(StarCatalog, ReproducesTheReferenceCatalogue) {
    const std::vector<std::vector<double>> stars = readColumns("bright_star_catalogue.txt", 3);  // dec, ra, mag
    ASSERT_GT(stars.size(), 9000u);
    std::vector<std::vector<double>> bright;
    for (const auto& s : stars) if (s[2] <= 5.0) bright.push_back(s);
    ASSERT_EQ(bright.size(), static_cast<size_t>(kStarCount));
    // Same stars in the same (magnitude) order, the brightest (Sirius, -1.46) moved last.
    for (int i = 0; i < kStarCount; ++i) {
        const std::vector<double>& c = bright[(i + 1) % kStarCount];
        ASSERT_NEAR(declinationDegrees(StarCatalog[i]), c[0], 1e-9) << i;
        ASSERT_NEAR(rightAscensionHours(StarCatalog[i]), c[1], 1e-9) << i;
        ASSERT_EQ(StarCatalog[i].magnitude, c[2]) << i;
    }
}

TEST(StarLinks, EveryLinkIsAConstellationSegment) {
    std::set<std::pair<int, int>> segments;
    for (const auto& l : readColumns("constellation_lines.txt", 4)) {  // dec, ra of both ends
        const int a = nearestRow(l[0], l[1]), b = nearestRow(l[2], l[3]);
        if (a >= 0 && b >= 0) segments.insert({std::min(a, b), std::max(a, b)});
    }
    int links = 0;
    for (int s = 0; s < kStarCount; ++s) {
        const int p = StarLinks[s];
        if (p == 0) continue;
        ++links;
        ASSERT_TRUE(p > 0 && p < kStarCount && p != s) << s << " -> " << p;
        EXPECT_EQ(segments.count({std::min(s, p), std::max(s, p)}), 1u) << s << " -> " << p;
    }
    EXPECT_EQ(links, 705);
    // Only segments whose two stars already had links were left out.
    EXPECT_EQ(segments.size(), 705u + 15u);
}

// Up to limit 3 every star brighter than the limit lies within the scanned
// rows (the brightest, in the last row, is drawn only with the full scan);
// the rows for limit 4 leave a few 3.9s out.
TEST(StarRowsExamined, MagnitudeLimits) {
    for (int16_t limit = -3; limit <= 3; ++limit) {
        for (int i = StarRowsExamined(limit); i < kStarCount - 1; ++i) {
            ASSERT_GE(StarCatalog[i].magnitude, limit) << limit;
        }
    }
    EXPECT_EQ(StarRowsExamined(5), kStarCount);
    EXPECT_EQ(StarRowsExamined(9), kStarCount);
    int drawnAtOne = 0;
    for (int i = 0; i < StarRowsExamined(1); ++i) drawnAtOne += StarCatalog[i].magnitude < 1.0;
    EXPECT_EQ(drawnAtOne, 14);
}

TEST(StarHorizon, AgreesWithTheLookAngleRoutine) {
    Observer o;
    o.latitude = -33.9 * kDegree;
    o.longitude = 18.4 * kDegree;
    StoreLatitudeTrig(o);
    const double jd = 2460100.7;
    int above = 0;
    for (int i = 0; i < kStarCount; i += 37) {
        const StarRow& s = StarCatalog[i];
        // A star is a body at a practically infinite distance.
        const Vector4 far{1e15 * s.cosDeclination * s.cosRightAscension, 1e15 * s.cosDeclination * s.sinRightAscension,
                          1e15 * s.sinDeclination, 0.0};
        LookAngles reference;
        ComputeLookAngles(jd, far, Vector4{}, o, reference, 1, 0);
        LookAngles look;
        look.azimuth = -7.0;
        StarHorizon(std::sin(o.theta), std::cos(o.theta), s, o, 0, look);
        EXPECT_NEAR(look.elevation, reference.elevation, 1e-9) << i;
        if (look.elevation > 0.0) {
            ++above;
            EXPECT_NEAR(std::sin(look.azimuth), std::sin(reference.azimuth), 1e-9) << i;
            EXPECT_NEAR(std::cos(look.azimuth), std::cos(reference.azimuth), 1e-9) << i;
        } else {
            EXPECT_EQ(look.azimuth, -7.0) << i;  // untouched below the horizon
        }
    }
    EXPECT_GT(above, 5);
}

TEST(StarHorizon, ZenithAndRefraction) {
    const StarRow& vega = StarCatalog[3];
    Observer o;
    o.latitude = std::atan2(vega.sinDeclination, vega.cosDeclination);
    StoreLatitudeTrig(o);
    LookAngles look;
    // Local sidereal angle equal to the right ascension: on the meridian, overhead,
    // where rounding could carry the sine past 1.
    StarHorizon(vega.sinRightAscension, vega.cosRightAscension, vega, o, 0, look);
    EXPECT_NEAR(look.elevation, kHalfPi, 1e-7);

    // Half a turn later it stands low in the north; refraction lifts it.
    o.latitude = 60.0 * kDegree;
    StoreLatitudeTrig(o);
    LookAngles plain, refracted;
    StarHorizon(-vega.sinRightAscension, -vega.cosRightAscension, vega, o, 0, plain);
    StarHorizon(-vega.sinRightAscension, -vega.cosRightAscension, vega, o, 1, refracted);
    EXPECT_NEAR(plain.azimuth, kTwoPi, 1e-6);  // due north, reported as 2 pi
    EXPECT_NEAR(plain.elevation / kDegree, 8.78, 0.01);  // 60 - (90 - 38.78)
    EXPECT_NEAR((refracted.elevation - plain.elevation) / kDegree * 60.0, 6.0, 0.3);
}
