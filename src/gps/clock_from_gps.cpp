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

GpsClockResult SetClockFromGps(const GpsFix& fix, double localTimeOffsetDays, SystemClock& clock,
                               GpsClockSetting& setting) {
    if (!fix.trackingEnabled) return GpsClockResult::TrackingOff;
    const GpsFixData gps = SnapshotGpsFix(fix);
    const bool offsetUsable = std::isfinite(localTimeOffsetDays) && std::fabs(localTimeOffsetDays) <= 1.0;
    if (!IsSettableTime(gps) || !offsetUsable) return GpsClockResult::ClockNotSet;

    const LocalClockTime before = clock.localTime();
    const uint32_t sinceFix = clock.tickMs() - gps.lastTimeTick;  // wraps like the tick
    const int64_t delayMs = static_cast<int64_t>(sinceFix) + kProcessingAllowanceMs;
    // 999 ms more makes the whole part the next whole second after the present.
    const int64_t targetMs = gps.utcSecond * 1000LL + delayMs + gps.utcHundredths * 10LL + 999;
    const int64_t wholeSeconds = targetMs / 1000;
    clock.sleepMs(static_cast<uint32_t>(1000 - targetMs % 1000));

    // Seconds past 59 carry into minutes, hours and the date, and so does the
    // offset to local time. Half a second past the whole second keeps the
    // conversion back to the calendar clear of a rounding at midnight.
    const double jd = JulianDateFromCalendar(gps.utcYear, static_cast<int32_t>(gps.utcMonth),
                                             static_cast<int32_t>(gps.utcDay), gps.utcHour,
                                             gps.utcMinute, static_cast<int32_t>(wholeSeconds), 500) +
                      localTimeOffsetDays;
    const CalendarInstant instant = CalendarInstantFromJulian(jd);
    LocalClockTime local;
    local.year = instant.year;
    local.month = instant.month;
    local.day = instant.day;
    local.hour = instant.hour;
    local.minute = instant.minute;
    local.second = instant.second;
    local.millisecond = 0;
    if (!clock.setLocalTime(local)) return GpsClockResult::ClockNotSet;

    setting.delayMs = static_cast<int32_t>(delayMs);
    setting.targetSecond = static_cast<double>(targetMs) / 1000.0;
    // Only minutes and seconds are compared; a difference that crosses the hour
    // (01:59:58 to 02:00:01) is taken as the nearer one, +3 s and not -3597 s.
    int32_t correction = (local.minute - before.minute) * 60 + local.second - before.second;
    if (correction >= 1800) correction -= 3600;
    if (correction < -1800) correction += 3600;
    setting.correctionS = correction;
    return GpsClockResult::ClockSet;
}

}  // namespace vantrek
