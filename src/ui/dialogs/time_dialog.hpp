#pragma once

#include <string>

#include "astro/julian_date.hpp"
#include "gps/clock_from_gps.hpp"
#include "gps/gps_fix.hpp"
#include "platform/message_sink.hpp"
#include "platform/system_clock.hpp"
#include "ui/simulation_clock.hpp"

namespace vantrek {

// The "Time dialog": how the program's time runs, a jump to any local
// instant, and the computer's clock set from the receiver's UTC.
struct TimeForm {
    CalendarInstant picked;  // local date and time in the pickers; hundredths unused
    ClockMode mode = ClockMode::RealTime;  // the checked radio button
    std::string julianDay;      // the current date, "%6.6fdays" (after a pick "%6.8fdays")
    std::string utcShift;       // local time minus UTC in whole hours, signed
    std::string delay;          // "Delay [s]": how far the last setting moved the clock
    std::string operationTime;  // "Operation time [s]": the processing delay it allowed for
};

// Fills the form from the clock; localTimeOffset is in days.
void openTimeDialog(TimeForm& form, const SimulationClock& clock, double localTimeOffset);

// The UTC Julian date of the picked local instant.
double pickedJulianDate(const TimeForm& form, double localTimeOffset);

// A picker touched (form.picked already holds its new value): the clock stops
// at the picked instant at once and "Stop time" is checked.
void touchTimePicker(TimeForm& form, SimulationClock& clock, double localTimeOffset);

// OK: the checked mode, and both dates at the picked instant.
void acceptTimeDialog(const TimeForm& form, SimulationClock& clock, double localTimeOffset);

// "Set GPS time": sets the computer's clock through `clock` and says how it
// went; the delay edits show the setting's figures when it succeeded.
GpsClockResult setGpsTime(TimeForm& form, const GpsFix& fix, SystemClock& clock, MessageSink& messages);

}  // namespace vantrek
