#include "ui/simulation_clock.hpp"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

using namespace vantrek;

constexpr double kSecond = 1.0 / 86400.0;
constexpr double kStart = 2460000.25;
constexpr double kInfinity = std::numeric_limits<double>::infinity();

TEST(SimulationClock, EveryModeMovesTheDateByItsOwnRulePerTick) {
    const struct {
        ClockMode mode;
        double multiplier, systemDate, expected;
    } cases[] = {
        {ClockMode::RealTime, 3, 2460001.5, 2460001.5},
        {ClockMode::Stopped, 3, 2460001.5, 2459000.5},  // the paused date
        {ClockMode::SimX1, 3, 0, kStart + 3 * kSecond},
        {ClockMode::SimX10, 3, 0, kStart + 30 * kSecond},
        {ClockMode::SimX100, 3, 0, kStart + 300 * kSecond},
        {ClockMode::SimX1000, -3, 0, kStart - 3000 * kSecond},  // a negative multiplier runs back
        {static_cast<ClockMode>(7), 3, 2460001.5, kStart},     // not a mode: the date stays
        {ClockMode::RealTime, 1, std::nan(""), kStart},        // nor does a date that is no number
        {ClockMode::SimX1000, kInfinity, 0, kStart},
    };
    for (const auto& c : cases) {
        SimulationClock clock{c.mode, c.multiplier, kStart, 2459000.5};
        AdvanceClock(clock, c.systemDate);
        EXPECT_NEAR(clock.currentDate, c.expected, 1e-9) << static_cast<int>(c.mode);
    }
}
