// The bodies of the sky: the Sun, the Moon and its phase, the planets, the
// star tables against the reference catalogue, and the space view's snapshot
// of them with the satellites.
#include <cmath>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "astro/angles.hpp"
#include "astro/constants.hpp"
#include "astro/julian_date.hpp"
#include "astro/kepler.hpp"
#include "astro/look_angles.hpp"
#include "astro/moon.hpp"
#include "astro/moon_phase.hpp"
#include "astro/obliquity.hpp"
#include "astro/planets.hpp"
#include "astro/sidereal_time.hpp"
#include "astro/star_catalog.hpp"
#include "astro/stars.hpp"
#include "astro/sun.hpp"
#include "ui/space_view_snapshot.hpp"
#include "../support/orbit_fixtures.hpp"
#include "../support/sample_sets.hpp"

using namespace vantrek;

namespace {

constexpr double kArcsec = 4.84813681109536e-6;  // rad
constexpr double kAu = 149597870.691;            // km
constexpr double kEpoch = 2446800.5;             // of the planets' elements

// Angle between the Sun and a body seen from the Earth, degrees.
double elongationDegrees(double jd, int16_t code) {
    Vector4 earth, body;
    PlanetHeliocentric(jd, kEarth, earth);
    PlanetHeliocentric(jd, code, body);
    Vector4 sun{-earth.x, -earth.y, -earth.z, 0.0}, seen{body.x - earth.x, body.y - earth.y, body.z - earth.z, 0.0};
    return AngleBetween(sun, seen) / kDegree;
}


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

double distance(const Vector4& a, const Vector4& b) { return std::hypot(a.x - b.x, a.y - b.y, a.z - b.z); }

}  // namespace

TEST(SunPosition, ObliquityAtJ2000SolsticesAndEquinox) {
    EXPECT_NEAR(MeanObliquity(2451545.0) / kArcsec, 84381.406173, 1e-6);
    // About 47 arcseconds less per century.
    EXPECT_NEAR((MeanObliquity(2451545.0 + 36525.0) - MeanObliquity(2451545.0)) / kArcsec, -46.84, 0.05);
    Vector4 sun;
    SunPosition(2451545.0, sun);
    const double longitude = NormalizeAngle(std::atan2(sun.y / std::cos(MeanObliquity(2451545.0)), sun.x));
    EXPECT_NEAR(longitude / kDegree, 280.373, 0.001);
    EXPECT_NEAR(sun.w, 147100850.0, 2000.0);  // 0.98333 AU

    const struct {
        int32_t month, day, hour, minute;
        double declination;
    } seasons[] = {{6, 21, 3, 32, 23.44}, {12, 21, 15, 59, -23.44}, {3, 20, 9, 37, 0.0}};  // 2021
    for (const auto& s : seasons) {
        SunPosition(JulianDateFromCalendar(2021, s.month, s.day, s.hour, s.minute, 0, 0), sun);
        EXPECT_NEAR(std::asin(sun.z / sun.w) / kDegree, s.declination, 0.01) << s.month;
    }
    EXPECT_GT(sun.x, 0.0);  // at the March equinox the Sun stands on the +x axis
}

TEST(MoonPhase, NewFullAndQuarterMoonsOf2000AndTheEclipseOppositeTheSun) {
    const struct {
        int32_t day, hour, minute;
        double fraction, fractionTolerance, age, ageTolerance;
    } phases[] = {{21, 4, 40, 1.0, 0.005, kPi, 0.15},  // full (total lunar eclipse)
                  {6, 18, 14, 0.0, 0.005, 0.0, 0.15},  // new
                  {14, 13, 34, 0.5, 0.05, kHalfPi, 0.1}};  // first quarter
    for (const auto& p : phases) {
        MoonPhaseFigures m;
        MoonPhase(JulianDateFromCalendar(2000, 1, p.day, p.hour, p.minute, 0, 0), m);
        EXPECT_NEAR(m.illuminatedFraction, p.fraction, p.fractionTolerance) << p.day;
        EXPECT_NEAR(std::remainder(m.age - p.age, kTwoPi), 0.0, p.ageTolerance) << p.day;
        EXPECT_TRUE(m.age >= 0.0 && m.age < kTwoPi) << p.day;  // the new moon's lies either side of 0
        EXPECT_TRUE(m.distance > 356000.0 && m.distance < 406800.0) << p.day;  // perigee and apogee
    }
    // Mid-eclipse the Moon stands opposite the Sun.
    const double jd = JulianDateFromCalendar(2000, 1, 21, 4, 44, 0, 0);
    MoonHorizon horizon;
    MoonEquatorial eq;
    MoonPosition(jd - kMoonEpochJulianDate, Observer{}, horizon, eq);
    Vector4 sun;
    SunPosition(jd, sun);
    const double ra = eq.rightAscensionMinusGmst + GreenwichSiderealAngle(jd), dec = eq.declination;
    Vector4 moon{std::cos(dec) * std::cos(ra), std::cos(dec) * std::sin(ra), std::sin(dec), 0.0};
    Vector4 antiSun{-sun.x, -sun.y, -sun.z, 0.0};
    EXPECT_LT(AngleBetween(moon, antiSun) / kDegree, 0.5);
    EXPECT_NEAR(horizon.relativeDistance, 1.0, 0.06);
}

TEST(MoonPosition, HorizonAgreesWithTheSpaceVector) {
    // The space-view vector seen through the look-angle routine must put the Moon
    // where the horizon routine does, to within the parallax approximation.
    Observer o;
    for (double jd = 2459000.1; jd < 2459030.0; jd += 1.37) {
        MoonHorizon horizon;
        MoonEquatorial eq;
        MoonPosition(jd - kMoonEpochJulianDate, o, horizon, eq);
        Vector4 p;
        MoonSpaceVector(jd, eq, p);
        EXPECT_NEAR(std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z), 384403.0 + 6370.0, 10.0);
        LookAngles look;
        ComputeLookAngles(jd, p, Vector4{}, o, look, 1, 0);
        EXPECT_NEAR(look.elevation, horizon.elevation, 0.3 * kDegree) << jd;
        if (horizon.elevation > -1.3 && horizon.elevation < 1.3) {
            EXPECT_NEAR(std::remainder(look.azimuth - horizon.azimuth, kTwoPi), 0.0, 0.5 * kDegree) << jd;
        }
    }
}

TEST(PlanetHeliocentric, TheEarthGreatestElongationsJupitersOppositionAndUnknownCodes) {
    Vector4 earth;
    ASSERT_TRUE(PlanetHeliocentric(kEpoch, kEarth, earth));
    EXPECT_NEAR(earth.w / kAu, 0.985, 0.005);  // two days after perihelion
    // Seen from the Earth the Sun stands near 285 degrees of longitude in early January.
    const double longitude = NormalizeAngle(std::atan2(earth.y / std::cos(MeanObliquity(kEpoch)), earth.x));
    EXPECT_NEAR(NormalizeAngle(longitude + kPi) / kDegree, 285.0, 1.0);
    EXPECT_EQ(PlanetRow(-1), -1);
    EXPECT_FALSE(PlanetHeliocentric(kEpoch, 9, earth));

    // Mercury reaches about 28 degrees from the Sun, Venus about 47 degrees.
    double mercuryMax = 0.0, venusMax = 0.0;
    for (double jd = 2451545.0; jd < 2451545.0 + 3000.0; jd += 2.0) {
        mercuryMax = std::fmax(mercuryMax, elongationDegrees(jd, kMercury));
        venusMax = std::fmax(venusMax, elongationDegrees(jd, kVenus));
    }
    EXPECT_NEAR(mercuryMax, 27.5, 1.0);
    EXPECT_NEAR(venusMax, 47.0, 1.0);
    EXPECT_GT(elongationDegrees(2460251.5, kJupiter), 175.0);  // opposition of 2023 November 3
}

TEST(EccentricAnomaly, SolvesKeplersEquation) {
    for (double e : {0.0, 0.016718, 0.248662}) {
        for (double m = 0.0; m < kTwoPi; m += 0.3) {
            const double ea = EccentricAnomaly(m, e);
            ASSERT_NEAR(ea - e * std::sin(ea), m, 1e-6) << e << " " << m;
        }
    }
    EXPECT_TRUE(std::isnan(EccentricAnomaly(NAN, 0.1)));  // ends, does not spin
}

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

TEST(StarHorizon, AgreesWithTheLookAngleRoutineAtTheZenithAndWithRefraction) {
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
        StarHorizon(std::sin(o.theta), std::cos(o.theta), s, o, 0, look);
        EXPECT_NEAR(look.elevation, reference.elevation, 1e-9) << i;
        if (look.elevation > 0.0) {
            ++above;
            EXPECT_NEAR(std::remainder(look.azimuth - reference.azimuth, kTwoPi), 0.0, 1e-9) << i;
        }
    }
    EXPECT_GT(above, 5);

    const StarRow& vega = StarCatalog[3];
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

TEST(SpaceViewSnapshot, SunMoonSatellitesCurrentOrbitsOfBothEnginesPlanetsAndRings) {
    // The sample sets near the ISS epoch.
    const auto catalog = vantrek::testing::loaded(vantrek::testing::SampleSets());
    auto model = std::make_unique<PropagatorState>();
    auto snapshot = std::make_unique<SpaceViewSnapshot>();
    const SpaceViewSnapshot& s = *snapshot;
    Observer observer;
    const double now = JulianDateFromEpoch(08264.51782528) + 0.1;
    const auto take = [&](double jd, bool planets, int32_t engine) {
        takeSpaceViewSnapshot(jd, planets, engine, *catalog, observer, *model, *snapshot);
    };
    catalog->current = 0;  // ISS
    catalog->selected[3] = 0;
    take(now, false, 0);
    // 100 km to the unit; the Sun 1.00014 - 0.01671 cos g - 0.00014 cos 2g = 1.0039 AU
    // away on 20 September, with the mean anomaly g = 257 degrees.
    EXPECT_NEAR(s.sun.w * 100.0 / kAu, 1.0039, 0.0005);
    EXPECT_NEAR(s.moon.w, 3907.7, 25.0);  // (384403 km + the Earth's radius) / 100 km
    EXPECT_NEAR(s.observer.w, 63.64, 0.01);  // the start-up observer, 6364 km from the centre near 54 degrees

    // The near-Earth sets propagate to 2008; the two deep-space ones, decades
    // from their epochs, are left to the propagation tests.
    for (int i : {0, 1, 4, 5, 7}) EXPECT_EQ(s.satelliteShown[i], 1) << i;
    EXPECT_EQ(s.satelliteShown[3], 0);  // not selected
    EXPECT_EQ(s.satelliteShown.size(), 8u);  // one flag per loaded set
    EXPECT_NEAR(s.satellites[0].w, 67.2, 0.5);  // ISS about 340 km up

    // The current satellite's next period.
    ASSERT_EQ(s.currentOrbitCount, kCurrentOrbitPoints);
    EXPECT_LT(distance(s.currentOrbit[0], s.satellites[0]), 1e-9);
    for (int k = 1; k < kCurrentOrbitPoints; ++k) {
        ASSERT_NEAR(s.currentOrbit[k].w, 67.2, 0.6) << k;
        ASSERT_LT(distance(s.currentOrbit[k], s.currentOrbit[k - 1]), 0.5) << k;  // about 43 km a step
    }
    // The last point is one step short of a full revolution.
    EXPECT_LT(distance(s.currentOrbit[kCurrentOrbitPoints - 1], s.currentOrbit[0]), 1.0);

    // A deep-space current orbit through the other engine.
    catalog->current = 6;  // Molniya, near its own epoch
    take(JulianDateFromEpoch(26340.5) + 0.2, false, 1);
    EXPECT_EQ(s.currentOrbitCount, kCurrentOrbitPoints);
    double highest = 0.0;
    for (int k = 0; k < s.currentOrbitCount; ++k) highest = std::fmax(highest, s.currentOrbit[k].w);
    EXPECT_GT(highest, 400.0);

    // The planets and their orbit rings.
    catalog->current = 0;
    take(now, true, 0);
    ASSERT_TRUE(s.planetsShown && s.ringCacheFilled);
    EXPECT_LT(s.rings[kEarth][0].w, 1e-6);  // the Earth's ring starts at the geocentric origin
    EXPECT_NEAR(distance(s.planets[kJupiter], s.sun) * 100.0 / kAu, 5.2, 0.3);  // between 4.95 and 5.46 AU
    const double eps = MeanObliquity(kEpoch);  // every body is turned with that of the elements' epoch
    for (int16_t code = 0; code <= 8; ++code) {
        // Each ring holds its own body's whole orbit: between perihelion and
        // aphelion, and (back in the ecliptic) never further from it than the
        // inclination; the Earth's is 0.
        const PlanetElementRow& row = PlanetElements[PlanetRow(code)];
        for (int k = 0; k < kOrbitRingPoints; ++k) {
            const Vector4& p = s.ringCache[code][k];
            ASSERT_NEAR(p.w / kAu, row.semiMajorAxis, row.semiMajorAxis * row.eccentricity + 1e-9) << code;
            const double eclipticLatitude = std::asin((p.z * std::cos(eps) - p.y * std::sin(eps)) / p.w);
            ASSERT_LE(std::fabs(eclipticLatitude), row.inclination + 1e-9) << code;
        }
    }
    // A later tick moves the orbit rings with the Earth.
    take(now + 30.0, true, 0);
    EXPECT_GT(s.rings[kEarth][0].w, 1e4);

    // Satellites that cannot be propagated are left out: the placeholder ("No
    // satellite", mean motion 0) alone, then a current slot beyond the loaded entries.
    loadPlaceholderElementSet(*catalog);
    catalog->current = 0;
    take(now, false, 0);
    EXPECT_EQ(s.satelliteShown[0], 0);
    EXPECT_EQ(s.currentOrbitCount, 0);
    catalog->current = 7;
    take(now, false, 0);
    EXPECT_EQ(s.currentOrbitCount, 0);
}
