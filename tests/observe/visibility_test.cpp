#include <cmath>
#include <memory>

#include <gtest/gtest.h>

#include "astro/sun.hpp"
#include "observe/eclipse.hpp"
#include "observe/magnitude_estimate.hpp"
#include "observe/pass_possible.hpp"
#include "observe/visibility_code.hpp"
#include "observe/visibility_status.hpp"
#include "observe_fixtures.hpp"

using namespace vantrek;
using namespace vantrek::testing;

namespace {

// A satellite at `radius` whose direction to the Earth's centre makes the
// angle `separation` with the direction to the Sun on the +x axis.
Vector4 satelliteAt(double radius, double separation) {
    return {-radius * std::cos(separation), -radius * std::sin(separation), 0.0, radius};
}

}  // namespace

TEST(Eclipse, EarthDiscMustCoverTheWholeSunDisc) {
    const Vector4 sun{kAu, 0.0, 0.0, kAu};
    const double radius = 7000.0;
    const double earthDisc = std::asin(6378.135 / radius);
    const double sunDisc = std::asin(696000.0 / (kAu + radius));  // nearly; the edge has slack
    const double edge = earthDisc - sunDisc;
    // Straight behind the Earth, then either side of the full shadow's edge.
    const struct {
        double separation;
        int32_t eclipsed;
        double depth;
    } cases[] = {{0.0, 1, edge}, {edge - 1e-4, 1, 1e-4}, {edge + 1e-4, 0, -1e-4}};
    for (const auto& c : cases) {
        double depth = 0.0;
        EXPECT_EQ(IsEclipsed(satelliteAt(radius, c.separation), sun, depth), c.eclipsed);
        EXPECT_NEAR(depth, c.depth, 1e-6) << c.separation;
    }
    // Far out the Sun looks larger than the Earth: never eclipsed, depth left as it was.
    double depth = 42.0;
    EXPECT_EQ(IsEclipsed(satelliteAt(2.0e6, 0.0), sun, depth), 0);
    EXPECT_EQ(depth, 42.0);
}

TEST(SunlitMagnitude, ScalesTheStandardMagnitudeByRangeAndLitFraction) {
    const Vector4 observer{6378.135, 0.0, 0.0, 6378.135};
    double illumination = 0.0, phase = 0.0;
    // Straight overhead at 400 km, the Sun behind the observer: fully lit.
    const Vector4 overhead{6778.135, 0.0, 0.0, 6778.135};
    EXPECT_NEAR(SunlitMagnitude(25544, overhead, {-kAu, 0, 0, kAu}, observer, illumination, phase),
                -2.24, 0.005);
    EXPECT_NEAR(illumination, 100.0, 1e-9);
    EXPECT_NEAR(phase, 0.0, 1e-6);

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
    EXPECT_NEAR(SunlitMagnitude(25544, {1e18, 0, 0, 1e18}, sunBehind, observer, illumination, phase),
                74.75, 1e-6);
    EXPECT_EQ(SunlitMagnitude(25544, {1e20, 0, 0, 1e20}, sunBehind, observer, illumination, phase),
              100.0);
}

TEST(PassPossible, InclinationPlusHorizonReachMustExceedLatitude) {
    EXPECT_EQ(PassPossible(orbitAt(1, 800.0, 98.0, 0.0, 0.0), observerAt(-89.9, 0.0)), 1);  // retrograde
    ElementSet equatorial = orbitAt(2, 400.0, 0.0, 0.0, 0.0);
    EXPECT_EQ(PassPossible(equatorial, observerAt(19.0, 0.0)), 1);  // reaches ~19.8 degrees
    EXPECT_EQ(PassPossible(equatorial, observerAt(-20.5, 0.0)), 0);
    EXPECT_EQ(PassPossible(geostationaryOver(3, 0.0), observerAt(80.0, 0.0)), 1);  // reaches 81
    EXPECT_EQ(PassPossible(geostationaryOver(3, 0.0), observerAt(82.0, 0.0)), 0);
    equatorial.meanMotion = 0.0;
    EXPECT_EQ(PassPossible(equatorial, observerAt(0.0, 0.0)), 0);
}

TEST(VisibilityStatus, LimitsAreExclusiveAndTheShadowWinsAtTheSunLimit) {
    // The ISS seen from the south in its winter, with passes in the shadow too:
    // one sunlit and one eclipsed instant well above the horizon.
    auto catalog = std::make_unique<SatelliteCatalog>();
    auto model = std::make_unique<PropagatorState>();
    addToCatalog(*catalog, orbitAt(25544, 420.0, 51.6, 40.0, 0.0));
    ElementSet working;
    Observer observer = observerAt(-34.0, 18.5);
    const double start = JulianDateFromEpoch(kEpoch);
    double sunlit = 0.0, eclipsed = 0.0;
    for (double t = start; t < start + 2.0 && (!sunlit || !eclipsed); t += 20.0 * kSecond) {
        MagnitudeEstimate estimate;
        EstimateMagnitude(*model, *catalog, t, 0, working, observer, 0, estimate);
        if (estimate.look.elevation < 15.0 * kDegree) continue;
        double& slot = estimate.eclipsed ? eclipsed : sunlit;
        if (slot == 0.0) slot = t;
    }
    ASSERT_NE(sunlit, 0.0);
    ASSERT_NE(eclipsed, 0.0);
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
        return VisibilityStatus(*model, *catalog, t, working, 0, observer, 0, limits, 0, 0,
                                magnitude, flare);
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
