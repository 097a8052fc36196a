#include "ui/simulation_clock.hpp"

#include <cmath>

namespace vantrek {

namespace {

constexpr double kSecondsPerDay = 86400.0;

bool isFreeRunning(ClockMode mode) {
    return mode == ClockMode::RealTime || mode == ClockMode::Stopped;
}

}  // namespace

double SimulationStepSeconds(const SimulationClock& clock) {
    switch (clock.mode) {
        case ClockMode::SimX1: return clock.multiplier;
        case ClockMode::SimX10: return clock.multiplier * 10.0;
        case ClockMode::SimX100: return clock.multiplier * 100.0;
        case ClockMode::SimX1000: return clock.multiplier * 1000.0;
        default: return 0.0;
    }
}

void AdvanceClock(SimulationClock& clock, double systemJulianDate) {
    switch (clock.mode) {
        case ClockMode::RealTime:
            if (std::isfinite(systemJulianDate)) clock.currentDate = systemJulianDate;
            return;
        case ClockMode::Stopped:
            clock.currentDate = clock.pausedDate;
            return;
        case ClockMode::SimX1:
        case ClockMode::SimX10:
        case ClockMode::SimX100:
        case ClockMode::SimX1000: {
            const double next = clock.currentDate + SimulationStepSeconds(clock) / kSecondsPerDay;
            if (std::isfinite(next)) clock.currentDate = next;
            return;
        }
    }
}

void ClockFaster(SimulationClock& clock) {
    if (isFreeRunning(clock.mode)) clock.mode = ClockMode::SimX1;
    clock.multiplier += 1.0;
}

void ClockSlower(SimulationClock& clock) {
    if (isFreeRunning(clock.mode)) clock.mode = ClockMode::SimX1;
    clock.multiplier -= 1.0;
}

void ClockRealTime(SimulationClock& clock) {
    clock.multiplier = 0.0;
    clock.mode = ClockMode::RealTime;
}

void ClockBoxClicked(SimulationClock& clock) {
    switch (clock.mode) {
        case ClockMode::RealTime:
            // 0 is the date no dialog has set: Julian day 0 is the year -4712.
            if (!(clock.pausedDate > 0.0) || !std::isfinite(clock.pausedDate)) clock.pausedDate = clock.currentDate;
            clock.mode = ClockMode::Stopped;
            return;
        case ClockMode::Stopped:
            if (clock.multiplier == 0.0) clock.multiplier = 1.0;
            clock.mode = ClockMode::SimX1;
            return;
        default: clock.mode = ClockMode::RealTime; return;
    }
}

}  // namespace vantrek
