#include "ui/simulation_clock.hpp"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

using namespace vantrek;

namespace {

constexpr double kSecond = 1.0 / 86400.0;
constexpr double kStart = 2460000.25;

}  // namespace

TEST(SimulationClock, EveryModeMovesTheDateByItsOwnRule) {
    struct Case {
        ClockMode mode;
        double expected;
    } cases[] = {
        {ClockMode::RealTime, 2460001.5},       {ClockMode::Stopped, 2459000.5},
        {ClockMode::SimX1, kStart + 3 * kSecond},      {ClockMode::SimX10, kStart + 30 * kSecond},
        {ClockMode::SimX100, kStart + 300 * kSecond},  {ClockMode::SimX1000, kStart + 3000 * kSecond},
    };
    for (const Case& c : cases) {
        SimulationClock clock;
        clock.mode = c.mode;
        clock.multiplier = 3.0;
        clock.currentDate = kStart;
        clock.pausedDate = 2459000.5;
        AdvanceClock(clock, 2460001.5);
        EXPECT_NEAR(clock.currentDate, c.expected, 1e-9) << static_cast<int>(c.mode);
    }
}

TEST(SimulationClock, StepIsPerTickAndSignedMultiplierRunsBackwards) {
    SimulationClock clock;
    clock.mode = ClockMode::SimX1;
    clock.currentDate = kStart;
    clock.multiplier = -1.0;
    for (int i = 0; i < 10; ++i) AdvanceClock(clock, 0.0);
    EXPECT_NEAR(clock.currentDate, kStart - 10 * kSecond, 1e-9);
    clock.multiplier = 0.0;
    AdvanceClock(clock, 0.0);
    EXPECT_NEAR(clock.currentDate, kStart - 10 * kSecond, 1e-9);
}

TEST(SimulationClock, FasterSlowerAndRealTimeFollowTheToolbarRules) {
    SimulationClock clock;  // RealTime, multiplier 1
    ClockFaster(clock);
    EXPECT_EQ(clock.mode, ClockMode::SimX1);
    EXPECT_EQ(clock.multiplier, 2.0);

    SimulationClock slow;
    ClockSlower(slow);  // time stands still while the mode says simulation
    EXPECT_EQ(slow.mode, ClockMode::SimX1);
    EXPECT_EQ(slow.multiplier, 0.0);
    ClockSlower(slow);
    EXPECT_EQ(slow.multiplier, -1.0);

    ClockRealTime(slow);
    EXPECT_EQ(slow.mode, ClockMode::RealTime);
    EXPECT_EQ(slow.multiplier, 0.0);
    ClockFaster(slow);
    EXPECT_EQ(slow.multiplier, 1.0);

    SimulationClock paused;
    paused.mode = ClockMode::Stopped;
    ClockFaster(paused);
    EXPECT_EQ(paused.mode, ClockMode::SimX1);

    SimulationClock fast;
    fast.mode = ClockMode::SimX100;
    ClockFaster(fast);  // a simulated mode keeps its factor
    EXPECT_EQ(fast.mode, ClockMode::SimX100);
    EXPECT_EQ(fast.multiplier, 2.0);
}

TEST(SimulationClock, UnknownModeAndNonFiniteInputLeaveTheDate) {
    SimulationClock clock;
    clock.currentDate = kStart;
    clock.mode = static_cast<ClockMode>(7);
    AdvanceClock(clock, 2460001.5);
    EXPECT_EQ(clock.currentDate, kStart);

    clock.mode = ClockMode::RealTime;
    AdvanceClock(clock, std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(clock.currentDate, kStart);

    clock.mode = ClockMode::SimX1000;
    clock.multiplier = std::numeric_limits<double>::infinity();
    AdvanceClock(clock, 0.0);
    EXPECT_EQ(clock.currentDate, kStart);
}
