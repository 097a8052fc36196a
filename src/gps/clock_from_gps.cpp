#include "gps/clock_from_gps.hpp"

#include <cmath>

#include "astro/julian_date.hpp"

namespace vantrek {

namespace {

constexpr int64_t kProcessingAllowanceMs = 10;

// A GPS date and time the clock may be set to: a receiver that has sent no
// date yet (or a void one) reports day and month 0.
bool IsSettableTime(const GpsFixData& gps) {
    return gps.utcYear >= 2000 && gps.utcYear <= 2099 && gps.utcMonth >= 1 && gps.utcMonth <= 12 &&
           gps.utcDay >= 1 && gps.utcDay <= 31 && gps.utcHour >= 0 && gps.utcHour <= 23 &&
           gps.utcMinute >= 0 && gps.utcMinute <= 59 && gps.utcSecond >= 0 &&
           gps.utcSecond <= 60 && gps.utcHundredths >= 0 && gps.utcHundredths <= 99;
}

}  // namespace

GpsClockResult SetClockFromGps(const GpsFix& fix, SystemClock& clock, GpsClockSetting& setting) {
    if (!fix.trackingEnabled) return GpsClockResult::TrackingOff;
    const GpsFixData gps = SnapshotGpsFix(fix);
    if (!IsSettableTime(gps)) return GpsClockResult::ClockNotSet;

    const LocalClockTime before = clock.utcTime();
    const uint32_t sinceFix = clock.tickMs() - gps.lastTimeTick;  // wraps like the tick
    const int64_t delayMs = static_cast<int64_t>(sinceFix) + kProcessingAllowanceMs;
    // 999 ms more makes the whole part the next whole second after the present.
    const int64_t targetMs = gps.utcSecond * 1000LL + delayMs + gps.utcHundredths * 10LL + 999;
    const int64_t wholeSeconds = targetMs / 1000;
    clock.sleepMs(static_cast<uint32_t>(1000 - targetMs % 1000));

    // Seconds past 59 carry into minutes, hours and the date. Half a second
    // past the whole second keeps the conversion back to the calendar clear
    // of a rounding at midnight.
    const double jd = JulianDateFromCalendar(gps.utcYear, static_cast<int32_t>(gps.utcMonth),
                                             static_cast<int32_t>(gps.utcDay), gps.utcHour,
                                             gps.utcMinute, static_cast<int32_t>(wholeSeconds), 500);
    const CalendarInstant instant = CalendarInstantFromJulian(jd);
    LocalClockTime utc;
    utc.year = instant.year;
    utc.month = instant.month;
    utc.day = instant.day;
    utc.hour = instant.hour;
    utc.minute = instant.minute;
    utc.second = instant.second;
    utc.millisecond = 0;
    if (!clock.setUtcTime(utc)) return GpsClockResult::ClockNotSet;

    setting.delayMs = static_cast<int32_t>(delayMs);
    setting.targetSecond = static_cast<double>(targetMs) / 1000.0;
    // Only minutes and seconds are compared; a difference that crosses the hour
    // (01:59:58 to 02:00:01) is taken as the nearer one, +3 s and not -3597 s.
    int32_t correction = (utc.minute - before.minute) * 60 + utc.second - before.second;
    if (correction >= 1800) correction -= 3600;
    if (correction < -1800) correction += 3600;
    setting.correctionS = correction;
    return GpsClockResult::ClockSet;
}

}  // namespace vantrek
