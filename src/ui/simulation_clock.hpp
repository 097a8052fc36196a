#pragma once

#include <cstdint>

namespace vantrek {

// How each timer tick moves the instant every view shows. The simulated
// modes add a fixed step per tick, not per second of wall time.
enum class ClockMode : int16_t {
    RealTime = 0,
    Stopped = 1,
    SimX1 = 2,
    SimX10 = 3,
    SimX100 = 4,
    SimX1000 = 5,
};

struct SimulationClock {
    ClockMode mode = ClockMode::RealTime;
    double multiplier = 1.0;    // signed: 0 freezes time, negative runs it backwards
    double currentDate = 0.0;   // Julian date (UTC) every view shows; set by the first tick
    double pausedDate = 0.0;    // Julian date shown while the clock is Stopped
};

// The seconds one tick adds in a simulated mode (multiplier x 1, 10, 100 or
// 1000); 0 for RealTime, Stopped and any value outside the table.
double SimulationStepSeconds(const SimulationClock& clock);

// One tick: RealTime takes `systemJulianDate` (the system clock, UTC), Stopped
// the paused date, the simulated modes add their step. A mode value outside
// the table leaves the date alone, and so does a step or a system date that
// is not a finite number.
void AdvanceClock(SimulationClock& clock, double systemJulianDate);

// The toolbar's clock buttons. Faster and slower leave RealTime or Stopped for
// SimX1 and then change the multiplier by one; real time zeroes it.
void ClockFaster(SimulationClock& clock);
void ClockSlower(SimulationClock& clock);
void ClockRealTime(SimulationClock& clock);

// The sky chart's clock box: RealTime stops the clock (at the paused date,
// or at the instant shown when none has been set), Stopped starts the
// simulation (at x 1 when the multiplier is 0, which would not move), any
// simulated mode goes back to RealTime.
void ClockBoxClicked(SimulationClock& clock);

}  // namespace vantrek
