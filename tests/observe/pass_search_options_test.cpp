#include "observe/pass_search_options.hpp"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "astro/constants.hpp"
#include "observe/pass_search_settings.hpp"

using namespace vantrek;

TEST(PassSearchOptions, OutOfRangeValuesAreReplaced) {
    PassSearchOptions options;
    options.hours = 100.0;
    options.minimumMagnitude = 0.0;
    options.limits.satelliteElevation = kHalfPi;
    options.limits.sunElevation = -kHalfPi;
    PassSearchOptions checked = CheckedPassSearchOptions(options);
    EXPECT_EQ(checked.hours, 100.0);
    EXPECT_EQ(checked.minimumMagnitude, 0.0);
    EXPECT_EQ(checked.limits.satelliteElevation, kHalfPi);
    EXPECT_EQ(checked.limits.sunElevation, -kHalfPi);

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const PassSearchOptions badOptions[] = {
        {0.0, -1.0, {-0.001, -kHalfPi - 1e-9}, 0, 1, -0.5, 0},
        {0.0, 100.5, {kHalfPi + 1e-9, kHalfPi + 1e-9}, 0, 1, 21.0, 0},
        {0.0, nan, {nan, nan}, 0, 1, nan, 0},
    };
    for (const PassSearchOptions& bad : badOptions) {
        checked = CheckedPassSearchOptions(bad);
        EXPECT_EQ(checked.hours, 1.0);
        EXPECT_EQ(checked.minimumMagnitude, 20.0);
        EXPECT_EQ(checked.limits.satelliteElevation, 0.0);
        EXPECT_EQ(checked.limits.sunElevation, 0.0);
    }
}

TEST(PassSearchOptions, FlareExclusionList) {
    for (int32_t number : {24836, 24841, 24925, 25105, 25527}) EXPECT_TRUE(IsFlareExcluded(number));
    for (int32_t number : {24837, 24840, 25528, 25544, 0}) EXPECT_FALSE(IsFlareExcluded(number));
}

TEST(PassSearchOptions, LimitsStoredBackAfterTheRangeRules) {
    Settings settings;
    settings.Sat_ele = 10.0 * kDegree;
    settings.Sun_ele = -6.0 * kDegree;
    PassSearchOptions options = PassSearchOptionsFromSettings(settings, 2460000.5, 12.0);
    EXPECT_EQ(options.limits.sunElevation, -6.0 * kDegree);
    options.limits.satelliteElevation = -1.0;
    options.limits.sunElevation = -0.2;
    StoreSearchLimits(options, settings);
    EXPECT_EQ(settings.Sat_ele, 0.0);
    EXPECT_EQ(settings.Sun_ele, -0.2);
}
