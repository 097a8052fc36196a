#pragma once

#include <cstdint>

namespace vantrek {

// Every instant is a Julian date in days on the UTC scale of the system clock.
// The calendar conversions return exactly this value on failure.
constexpr double kInvalidJulianDate = -1.0;

// Julian date of January 0.0 (31 December of the year before at 0h) for the
// Gregorian years 1583..3000; -1 outside them.
double JulianDateOfYearStart(double year);

// Julian date of a calendar instant; -1 for a year outside 1583..3000, a day
// outside 0..31 or a month outside 1..12. Day 0 is the last day of the previous
// month and days run on past a month's end (February 30 is March 2 or 1);
// hours, minutes and seconds simply add.
double JulianDateFromCalendar(int32_t year, int32_t month, int32_t day, int32_t hour,
                              int32_t minute, int32_t second, int32_t millisecond);

// Julian date of a two-line epoch YYDDD.DDDDDDDD; two-digit years 57..99 are
// 1957..1999 and 00..56 are 2000..2056.
double JulianDateFromEpoch(double epoch);

// Calendar date of a Julian date (the fraction of the day is dropped).
// A date that is not a finite number of days gives 0-0-0.
void CalendarDateFromJulian(double jd, int32_t& year, int32_t& month, int32_t& day);

// Time of day of a Julian date, rounded to the nearest hundredth of a second;
// 0:00:00.00 for a date that is not a finite number of days.
void TimeOfDayFromJulian(double jd, int32_t& hour, int32_t& minute, int32_t& second,
                         int32_t& hundredths);

// A Julian date as calendar date and time of day, as shown to the user.
struct CalendarInstant {
    int32_t year = 0, month = 0, day = 0;
    int32_t hour = 0, minute = 0, second = 0, hundredths = 0;
};

// Date and time of day of a Julian date, to the nearest hundredth of a second.
// The last half-hundredth of a day rounds up to 0:00:00.00 of the next day,
// never to 24:00:00.00 of the day before.
CalendarInstant CalendarInstantFromJulian(double jd);

}  // namespace vantrek
