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

constexpr double kAu = 149597870.691;

// One sunlit, one eclipsed instant of a low satellite well above the horizon.
struct Moments {
    double sunlit = 0.0;
    double eclipsed = 0.0;
};

class Visibility : public ::testing::Test {
protected:
    void SetUp() override {
        catalog = std::make_unique<SatelliteCatalog>();
        addToCatalog(*catalog, orbitAt(25544, 420.0, 51.6, 40.0, 0.0));
        model = std::make_unique<PropagatorState>();
        start = JulianDateFromEpoch(kEpoch);
    }

    Moments findMoments() {
        Moments found;
        for (double t = start; t < start + 2.0 && (!found.sunlit || !found.eclipsed);
             t += 20.0 / 86400.0) {
            ElementSet w;
            Vector4 p, v, sun;
            propagateSatellite(*model, *catalog, t, w, 0, v, p, 0, 0);
            LookAngles look;
            ComputeLookAngles(t, p, v, observer, look, 0, 0);
            if (look.elevation < 15.0 * kDegree) continue;
            SunPosition(t, sun);
            double depth = 0.0;
            double& slot = IsEclipsed(p, sun, depth) ? found.eclipsed : found.sunlit;
            if (slot == 0.0) slot = t;
        }
        return found;
    }

    double sunElevation(double t) {
        Vector4 sun;
        SunPosition(t, sun);
        LookAngles look;
        ComputeLookAngles(t, sun, Vector4{}, observer, look, 1, 0);
        return look.elevation;
    }

    int16_t status(double t, const VisibilityLimits& limits, int32_t flareMode, double& magnitude,
                   FlareResult& flare) {
        return VisibilityStatus(*model, *catalog, t, working, 0, observer, 0, limits, 0, flareMode,
                                magnitude, flare);
    }

    std::unique_ptr<SatelliteCatalog> catalog;
    std::unique_ptr<PropagatorState> model;
    ElementSet working;
    Observer observer = observerAt(-34.0, 18.5);  // long winter nights: passes in the shadow too
    double start = 0.0;
};

}  // namespace

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
}

TEST(PassPossible, InclinationPlusHorizonReachMustExceedLatitude) {
    const ElementSet polar = orbitAt(1, 800.0, 98.0, 0.0, 0.0);
    for (double latitude : {0.0, 54.3, -89.9, 90.0}) {
        EXPECT_EQ(PassPossible(polar, observerAt(latitude, 0.0)), 1) << latitude;
    }
    const ElementSet equatorial = orbitAt(2, 400.0, 0.0, 0.0, 0.0);
    EXPECT_EQ(PassPossible(equatorial, observerAt(54.0, 0.0)), 0);
    EXPECT_EQ(PassPossible(equatorial, observerAt(-54.0, 0.0)), 0);
    EXPECT_EQ(PassPossible(equatorial, observerAt(19.0, 0.0)), 1);  // horizon reach ~19.8 degrees
    EXPECT_EQ(PassPossible(equatorial, observerAt(20.5, 0.0)), 0);
    ElementSet still = equatorial;
    still.meanMotion = 0.0;
    EXPECT_EQ(PassPossible(still, observerAt(0.0, 0.0)), 0);
    // Geostationary: reaches 81 degrees of latitude.
    EXPECT_EQ(PassPossible(geostationaryOver(3, 0.0), observerAt(80.0, 0.0)), 1);
    EXPECT_EQ(PassPossible(geostationaryOver(3, 0.0), observerAt(82.0, 0.0)), 0);
}

TEST_F(Visibility, ElevationLimitIsExclusive) {
    const Moments m = findMoments();
    ASSERT_NE(m.sunlit, 0.0);
    const double elevation = elevationAt(*model, *catalog, 0, observer, m.sunlit);
    VisibilityLimits limits;
    limits.sunElevation = kHalfPi;  // any sky counts as dark
    double magnitude = 0.0;
    FlareResult flare;
    limits.satelliteElevation = elevation;
    EXPECT_EQ(status(m.sunlit, limits, 0, magnitude, flare), kVisibilityInvisible);
    EXPECT_EQ(magnitude, 100.0);
    limits.satelliteElevation = std::nextafter(elevation, 0.0);
    EXPECT_EQ(status(m.sunlit, limits, 0, magnitude, flare), kVisibilityVisible);
}

TEST_F(Visibility, SunExactlyAtItsLimitCountsAsDaylightForALitSatellite) {
    const Moments m = findMoments();
    ASSERT_NE(m.sunlit, 0.0);
    ASSERT_NE(m.eclipsed, 0.0);
    VisibilityLimits limits;
    limits.satelliteElevation = 10.0 * kDegree;
    double magnitude = 0.0;
    FlareResult flare;

    limits.sunElevation = sunElevation(m.sunlit);
    EXPECT_EQ(status(m.sunlit, limits, 0, magnitude, flare), kVisibilityInSun);
    EXPECT_EQ(magnitude, 100.0);
    limits.sunElevation = std::nextafter(limits.sunElevation, -kHalfPi);
    EXPECT_EQ(status(m.sunlit, limits, 0, magnitude, flare), kVisibilityInSun);
    limits.sunElevation = std::nextafter(sunElevation(m.sunlit), kHalfPi);
    EXPECT_EQ(status(m.sunlit, limits, 0, magnitude, flare), kVisibilityVisible);

    // In the shadow the eclipse wins over the Sun sitting exactly on the limit.
    limits.sunElevation = sunElevation(m.eclipsed);
    EXPECT_EQ(status(m.eclipsed, limits, 0, magnitude, flare), kVisibilityEclipsed);
    EXPECT_EQ(magnitude, 100.0);
}

TEST_F(Visibility, EstimateGivesNoMagnitudeInTheShadow) {
    const Moments m = findMoments();
    ASSERT_NE(m.eclipsed, 0.0);
    MagnitudeEstimate estimate;
    EXPECT_EQ(EstimateMagnitude(*model, *catalog, m.eclipsed, 0, working, observer, 0, estimate),
              100.0);
    EXPECT_EQ(estimate.eclipsed, 1);
    EXPECT_GE(estimate.depth, 0.0);
    EXPECT_LT(EstimateMagnitude(*model, *catalog, m.sunlit, 0, working, observer, 0, estimate),
              100.0);
    EXPECT_EQ(estimate.eclipsed, 0);
    EXPECT_GT(estimate.look.elevation, 15.0 * kDegree);
}
