#pragma once

#include <cstdint>

#include "gps/gps_fix.hpp"
#include "platform/system_clock.hpp"

namespace vantrek {

constexpr const char* kTurnGpsOnText = "Turn GPS tracking on!";
constexpr const char* kTurnGpsOnCaption = "Warning";
constexpr const char* kClockSetText = "Clock set to GPS atomic time!!!";
constexpr const char* kClockSetCaption = "Time";
constexpr const char* kClockNotSetText = "Clock not set!";  // no caption

enum class GpsClockResult {
    TrackingOff,  // nothing done: kTurnGpsOnText
    ClockSet,     // kClockSetText; the setting's values are for the dialog
    ClockNotSet,  // refused, or no valid GPS date and time yet: kClockNotSetText
};

// The last clock setting, for display.
struct GpsClockSetting {
    int32_t delayMs = 0;        // time since the GPS time arrived, plus 10 ms
    double targetSecond = 0.0;  // the GPS second plus the delay, rounded up a whole second
    int32_t correctionS = 0;    // how far the clock moved, seconds, within half an hour
};

// "Set GPS time": carries the receiver's last UTC time forward by the time
// since it arrived, sleeps to the next whole second, and sets the computer's
// clock to it as UTC, so that the system's own zone rules (half-hour zones,
// a daylight-saving change since the program started) give local time. The
// GPS time and its tick come from one snapshot.
GpsClockResult SetClockFromGps(const GpsFix& fix, SystemClock& clock, GpsClockSetting& setting);

}  // namespace vantrek
