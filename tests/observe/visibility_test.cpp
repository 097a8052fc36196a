// How bright a satellite is and whether it can be seen: the Earth's shadow,
// the sunlit magnitude and its table, Iridium flares, and the classifier.
#include <array>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "astro/sun.hpp"
#include "observe/eclipse.hpp"
#include "observe/iridium_flare.hpp"
#include "observe/magnitude_estimate.hpp"
#include "observe/magnitude_table.hpp"
#include "observe/pass_possible.hpp"
#include "observe/satellite_shape.hpp"
#include "observe/visibility_code.hpp"
#include "observe/visibility_status.hpp"
#include "observe_fixtures.hpp"

using namespace vantrek;
using namespace vantrek::testing;

TEST(Eclipse, EarthDiscMustCoverTheWholeSunDisc) {
    const Vector4 sun{kAu, 0.0, 0.0, kAu};
    const double radius = 7000.0;
    const double earthDisc = std::asin(6378.135 / radius);
    const double sunDisc = std::asin(696000.0 / (kAu + radius));  // nearly; the edge has slack
    const double edge = earthDisc - sunDisc;
    // A satellite whose direction to the Earth's centre is `separation` off the
    // Sun's: straight behind the Earth, then either side of the full shadow's edge.
    const auto at = [](double r, double separation) {
        return Vector4{-r * std::cos(separation), -r * std::sin(separation), 0.0, r};
    };
    const struct {
        double separation;
        int32_t eclipsed;
        double depth;
    } cases[] = {{0.0, 1, edge}, {edge - 1e-4, 1, 1e-4}, {edge + 1e-4, 0, -1e-4}};
    for (const auto& c : cases) {
        double depth = 0.0;
        EXPECT_EQ(IsEclipsed(at(radius, c.separation), sun, depth), c.eclipsed);
        EXPECT_NEAR(depth, c.depth, 1e-6) << c.separation;
    }
    // Far out the Sun looks larger than the Earth: never eclipsed, depth left as it was.
    double depth = 42.0;
    EXPECT_EQ(IsEclipsed(at(2.0e6, 0.0), sun, depth), 0);
    EXPECT_EQ(depth, 42.0);
}

TEST(SunlitMagnitude, ScalesTheStandardMagnitudeByRangeAndLitFraction) {
    const Vector4 observer{6378.135, 0.0, 0.0, 6378.135};
    double illumination = 0.0, phase = 0.0;
    // Straight overhead at 400 km, the Sun behind the observer: fully lit.
    const Vector4 overhead{6778.135, 0.0, 0.0, 6778.135};
    EXPECT_NEAR(SunlitMagnitude(25544, overhead, {-kAu, 0, 0, kAu}, observer, illumination, phase), -2.24, 0.005);
    EXPECT_NEAR(illumination, 100.0, 1e-9);

    // 1000 km away, Sun at right angles: half lit, the standard magnitude
    // (15.75 rounds 2.5 log10(1000^2 / 0.5) = 15.7526); 10 for an unknown number.
    const Vector4 far{7378.135, 0.0, 0.0, 7378.135};
    const Vector4 sunAside{7378.135, kAu, 0.0, kAu};
    EXPECT_NEAR(SunlitMagnitude(25544, far, sunAside, observer, illumination, phase), 0.5, 0.003);
    EXPECT_NEAR(illumination, 50.0, 1e-6);
    EXPECT_NEAR(SunlitMagnitude(4, far, sunAside, observer, illumination, phase), 10.0, 0.003);

    // Low in the sky the range counts, not the height: 1400 km away.
    const Vector4 low{6378.135, 1400.0, 0.0, 0.0};
    EXPECT_NEAR(SunlitMagnitude(25544, low, {6378.135, -kAu, 0, kAu}, observer, illumination, phase),
                0.5 - 15.75 + 5.0 * std::log10(1400.0), 1e-6);

    // Sun ever closer to straight beyond the satellite: the estimate grows
    // without bound, then gives up.
    double last = -100.0;
    for (double off : {5.0, 0.5, 0.005, 1e-9}) {
        const Vector4 sun{kAu * std::cos(off * kDegree), kAu * std::sin(off * kDegree), 0, kAu};
        const double m = SunlitMagnitude(25544, overhead, sun, observer, illumination, phase);
        EXPECT_GT(m, last);
        last = m;
    }
    EXPECT_EQ(last, 100.0);
    // So does one fainter than 80: fully lit, 1e18 km away gives 74.75, 1e20 km 84.75.
    const Vector4 sunBehind{-kAu, 0, 0, kAu};
    EXPECT_NEAR(SunlitMagnitude(25544, {1e18, 0, 0, 1e18}, sunBehind, observer, illumination, phase), 74.75, 1e-6);
    EXPECT_EQ(SunlitMagnitude(25544, {1e20, 0, 0, 1e20}, sunBehind, observer, illumination, phase), 100.0);
}

// The magnitude table is the reference file (qs.mag: number in columns 1-5,
// magnitude 34-37, sizes 38-50) with the program's own rows.
TEST(MagnitudeTable, IsTheReferenceFileWithTheProgramsOwnRowsAndShapesFollowTheSizes) {
    using Sizes = std::array<double, 4>;  // length, width, depth (m) and standard magnitude
    std::map<int, Sizes> expected;
    std::ifstream file(std::string(VANTREK_REFERENCE_DATA_DIR) + "/qs.mag");
    const auto field = [](const std::string& line, size_t from, size_t count) {
        const std::string text = line.size() > from ? line.substr(from, count) : "";
        return text.find_first_not_of(' ') == std::string::npos ? 0.0 : std::stod(text);
    };
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() < 37 || line.compare(33, 4, "Mag.") == 0 ||
            line.substr(33, 4).find_first_not_of(' ') == std::string::npos)
            continue;
        expected[std::stoi(line.substr(0, 5))] = {field(line, 37, 5), field(line, 42, 4), field(line, 46, 4),
                                                  field(line, 33, 4)};
    }
    ASSERT_GT(expected.size(), 1000u);
    // The program's own rows replace the file's values; the file lacks 90038.
    expected[5] = {0.2, 0, 0, 10.3};
    expected[25544] = {30, 20, 0, 0.5};
    expected[20580] = {13.3, 4.3, 0, 3.0};
    expected[24836] = {4, 1.8, 0, 6.5};
    expected[90038] = {4, 0, 0, 4};
    ASSERT_EQ(static_cast<size_t>(kMagnitudeTableRows), expected.size());
    // In order, each number once, so the binary search finds every row.
    const MagnitudeRow* row = kMagnitudeTable;
    for (const auto& [number, e] : expected) {
        ASSERT_EQ(row->catalogNumber, number);
        ASSERT_EQ(FindMagnitudeRow(number), row);
        EXPECT_EQ((Sizes{row->length, row->width, row->depth, StandardMagnitude(number)}), e) << number;
        ++row;
    }
    for (int32_t number : {0, 4, 6, 25545, 99999, -7}) {
        EXPECT_EQ(FindMagnitudeRow(number), nullptr) << number;
        EXPECT_EQ(StandardMagnitude(number), 10.0) << number;
    }
    const std::pair<int32_t, const char*> shapes[] = {
        {20935, "Satellite dimensionsL L.=37.1m W.=17.4m D.=23.8m"}, {25544, "Cylindrical shape l.=30.0m r.=20.0m"},
        {90038, "Spherical satellite r.=4.0m "}, {5, "Shape not know. "},  // the 0.2 m placeholder
        {3, "Shape not know. "}};  // missing: described by the first row, 5
    for (const auto& [number, text] : shapes) EXPECT_EQ(SatelliteShapeText(number), text) << number;
}

TEST(FlareBrightness, PublishedFigures) {
    // Reflection straight onto the Sun, whatever the distance and phase.
    for (double height : {300.0, 780.0, 2000.0})
        for (double phase : {0.1, 1.5, 3.0}) EXPECT_NEAR(FlareBrightness(height, 0.0, phase), -8.03, 0.005);
    EXPECT_NEAR(FlareBrightness(780.0, 0.5 * kDegree, kHalfPi), -2.32, 0.005);
    EXPECT_NEAR(FlareBrightness(780.0, 2.0 * kDegree, kHalfPi), 0.44, 0.005);
    EXPECT_NEAR(FlareBrightness(780.0, 5.0 * kDegree, kHalfPi), 2.30, 0.005);
    // Phase near pi: the small constant keeps the result finite.
    EXPECT_TRUE(std::isfinite(FlareBrightness(780.0, 1.0 * kDegree, kPi)));
}

// A satellite 780 km above an observer on the +x axis, moving along +y, so its
// frame is up = x, along = y, right = -z; the Sun far away in a direction `d`.
TEST(FlareMagnitude, MirrorGeometryAndTheClosestAntennaWithoutAFlare) {
    const Vector4 satellite{7158.135, 0.0, 0.0, 7158.135}, velocity{0.0, 7.45, 0.0, 7.45};
    const auto sunToward = [&](double x, double y, double z) {
        const double k = kAu / std::sqrt(x * x + y * y + z * z);
        return Vector4{satellite.x + k * x, satellite.y + k * y, satellite.z + k * z, kAu};
    };
    FlareResult flare;
    // Seen straight from below, the front mirror reflects the sight line 10
    // degrees above the forward horizon.
    Vector4 observer{6378.135, 0.0, 0.0, 6378.135};
    for (double off : {0.0, 3.0}) {
        const double elevation = (10.0 + off) * kDegree;
        const double magnitude =
            FlareMagnitude(sunToward(std::sin(elevation), std::cos(elevation), 0), satellite, velocity, observer, flare);
        EXPECT_EQ(flare.antenna, 1);
        EXPECT_NEAR(flare.angle, off * kDegree, 1e-7);
        EXPECT_NEAR(flare.phaseAngle, kHalfPi + elevation, 1e-7);
        EXPECT_NEAR(magnitude, FlareBrightness(780.0, off * kDegree, flare.phaseAngle), 1e-6);
    }
    // Observer ahead of the satellite on its path: behind the front mirror, and
    // the left and right mirrors see it symmetrically; the lower number wins the tie.
    observer = {satellite.x, -1500.0, 0.0, 0.0};
    Vector4 sun = sunToward(-1.0, 0.2, 0.0);
    const auto mirror = [&](int a) {
        return MirrorAngle(sun, satellite, velocity, observer, kIridiumAntennas[a - 1].pitch,
                           kIridiumAntennas[a - 1].yaw, flare);
    };
    ASSERT_EQ(mirror(2), mirror(3));
    EXPECT_EQ(FlareMagnitude(sun, satellite, velocity, observer, flare), 100.0);
    EXPECT_EQ(flare.antenna, 2);
    EXPECT_GT(flare.angle, kFlareThreshold);
    EXPECT_LT(flare.angle, kObserverBehindMirror);
    // Looking down on the satellite every mirror faces away; the phase stays as it was.
    observer = {satellite.x + 1000.0, 0.0, 0.0, 0.0};
    sun = sunToward(1.0, 0.3, 0.1);
    flare.phaseAngle = 1.234;
    EXPECT_EQ(FlareMagnitude(sun, satellite, velocity, observer, flare), 100.0);
    EXPECT_EQ(flare.antenna, 1);
    EXPECT_EQ(flare.angle, kObserverBehindMirror);
    EXPECT_EQ(flare.phaseAngle, 1.234);

    // The panel line and the antenna names, only for antennas 1 to 3.
    flare = {1.5 * kDegree, 0.0, 2};
    EXPECT_EQ(FlareStateText(-3.25, flare), "Iridium flare Mag.-3.2 angle 1.50\u00b0 MMA Left ");
    EXPECT_EQ(FlareStateText(100.0, flare), "Iridium flare  angle 1.50\u00b0 MMA Left ");
    EXPECT_STREQ(IridiumAntennaName(2), "Left Main Mission Antena");
    for (int16_t antenna : {0, 4}) {
        flare.antenna = antenna;
        EXPECT_EQ(FlareStateText(-1.0, flare), "") << antenna;
        EXPECT_STREQ(IridiumAntennaName(antenna), "") << antenna;
    }
}

TEST(PassPossible, InclinationPlusHorizonReachMustExceedLatitude) {
    EXPECT_EQ(PassPossible(orbitAt(1, 800.0, 98.0, 0.0, 0.0), observerAt(-89.9, 0.0)), 1);  // retrograde
    ElementSet equatorial = orbitAt(2, 400.0, 0.0, 0.0, 0.0);
    EXPECT_EQ(PassPossible(equatorial, observerAt(19.0, 0.0)), 1);  // reaches ~19.8 degrees
    EXPECT_EQ(PassPossible(equatorial, observerAt(-20.5, 0.0)), 0);
    const ElementSet geostationary = orbitAt(3, 35786.0, 0.05, 0.0, 0.0);
    EXPECT_EQ(PassPossible(geostationary, observerAt(80.0, 0.0)), 1);  // reaches 81
    EXPECT_EQ(PassPossible(geostationary, observerAt(82.0, 0.0)), 0);
    equatorial.meanMotion = 0.0;
    EXPECT_EQ(PassPossible(equatorial, observerAt(0.0, 0.0)), 0);
}

TEST(VisibilityStatus, LimitsAreExclusiveAndTheShadowWinsAtTheSunLimit) {
    // The ISS seen from the south in its winter leaves the Earth's shadow well
    // above the horizon: eclipsed 14380 s after the epoch, sunlit 40 s later.
    auto catalog = std::make_unique<SatelliteCatalog>();
    auto model = std::make_unique<PropagatorState>();
    AddToCatalog(*catalog, orbitAt(25544, 420.0, 51.6, 40.0, 0.0));
    ElementSet working;
    Observer observer = observerAt(-34.0, 18.5);
    const double eclipsed = JulianDateFromEpoch(kEpoch) + 14380.0 * kSecond, sunlit = eclipsed + 40.0 * kSecond;
    auto sunElevation = [&](double t) {
        Vector4 sun;
        SunPosition(t, sun);
        LookAngles look;
        ComputeLookAngles(t, sun, Vector4{}, observer, look, 1, 0);
        return look.elevation;
    };
    double magnitude = 0.0;
    FlareResult flare;
    auto status = [&](double t, const VisibilityLimits& limits) {
        return VisibilityStatus(*model, *catalog, t, working, 0, observer, 0, limits, 0, 0, magnitude, flare);
    };

    VisibilityLimits limits{0.0, kHalfPi};  // any sky counts as dark
    limits.satelliteElevation = elevationAt(*model, *catalog, 0, observer, sunlit, working);
    EXPECT_EQ(status(sunlit, limits), kVisibilityInvisible);
    EXPECT_EQ(magnitude, 100.0);
    limits.satelliteElevation = std::nextafter(limits.satelliteElevation, 0.0);
    EXPECT_EQ(status(sunlit, limits), kVisibilityVisible);

    // The Sun exactly at its limit is daylight for a lit satellite ...
    limits.satelliteElevation = 10.0 * kDegree;
    limits.sunElevation = sunElevation(sunlit);
    EXPECT_EQ(status(sunlit, limits), kVisibilityInSun);
    EXPECT_EQ(magnitude, 100.0);
    limits.sunElevation = std::nextafter(limits.sunElevation, kHalfPi);
    EXPECT_EQ(status(sunlit, limits), kVisibilityVisible);
    // ... but the eclipse wins over it in the shadow.
    limits.sunElevation = sunElevation(eclipsed);
    EXPECT_EQ(status(eclipsed, limits), kVisibilityEclipsed);
    EXPECT_EQ(magnitude, 100.0);
}
