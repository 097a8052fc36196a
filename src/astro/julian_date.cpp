#include "astro/julian_date.hpp"

#include <cmath>

namespace vantrek {

namespace {

// February is always 28 here; the leap day is added separately.
constexpr int32_t kMonthLength[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

bool isLeapYear(int32_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// A date whose day count fits the integer fields; NaN and infinities do not.
bool isConvertibleDate(double jd) {
    return std::isfinite(jd) && std::fabs(jd) < 1.0e9;
}

}  // namespace

double JulianDateOfYearStart(double year) {
    if (!(year > 1582.0 && year <= 3000.0)) return kInvalidJulianDate;
    const double y = std::trunc(year - 1.0);
    const double a = std::trunc(y * 0.01);
    const double b = 2.0 - a + std::trunc(a * 0.25);
    // 428 is trunc(30.6001 * 14): the month term of March of the year before.
    return std::trunc(365.25 * y) + 428.0 + 1720994.5 + b;
}

double JulianDateFromCalendar(int32_t year, int32_t month, int32_t day, int32_t hour,
                              int32_t minute, int32_t second, int32_t millisecond) {
    const double yearStart = JulianDateOfYearStart(year);
    if (day < 0 || day > 31) return kInvalidJulianDate;
    if (yearStart == kInvalidJulianDate) return kInvalidJulianDate;
    if (month < 1 || month > 12) return kInvalidJulianDate;

    int32_t dayOfYear = day;
    for (int32_t m = 1; m < month; ++m) dayOfYear += kMonthLength[m - 1];
    if (isLeapYear(year) && month > 2) dayOfYear += 1;

    const double seconds = static_cast<double>(hour) * 3600.0 + static_cast<double>(minute) * 60.0 +
                           static_cast<double>(second) + static_cast<double>(millisecond) * 0.001;
    return (dayOfYear + yearStart) + seconds / 86400.0;
}

double JulianDateFromEpoch(double epoch) {
    const double yy = std::trunc(epoch * 0.001);
    const double year = yy < 57.0 ? 2000.0 + yy : 1900.0 + yy;
    return JulianDateOfYearStart(year) + (epoch - 1000.0 * yy);
}

void CalendarDateFromJulian(double jd, int32_t& year, int32_t& month, int32_t& day) {
    if (!isConvertibleDate(jd)) {
        year = month = day = 0;
        return;
    }
    const double x = jd + 0.5;
    const double z = std::floor(x);
    const double f = x - z;
    double a = z;
    if (z >= 2299161.0) {
        const double alpha = std::floor((z - 1867216.25) / 36524.25);
        a = z + 1.0 + alpha - std::floor(alpha * 0.25);
    }
    const double b = a + 1524.0;
    const double k = std::floor((b - 122.1) / 365.25);
    const double d = std::floor(365.25 * k);
    const double e = std::floor((b - d) / 30.6001);
    day = static_cast<int32_t>(std::trunc(b - d - std::floor(30.6001 * e) + f));
    month = static_cast<int32_t>(e < 14.0 ? e - 1.0 : e - 13.0);
    year = static_cast<int32_t>(month > 2 ? k - 4716.0 : k - 4715.0);
}

void TimeOfDayFromJulian(double jd, int32_t& hour, int32_t& minute, int32_t& second,
                         int32_t& hundredths) {
    if (!isConvertibleDate(jd)) {
        hour = minute = second = hundredths = 0;
        return;
    }
    const double x = jd + 0.5;
    const double f = x - std::floor(x);
    const int32_t n = static_cast<int32_t>(std::trunc(f * 8640000.0 + 0.5));
    hour = n / 360000;
    minute = (n / 6000) % 60;
    second = (n / 100) % 60;
    hundredths = n % 100;
}

CalendarInstant CalendarInstantFromJulian(double jd) {
    CalendarInstant c;
    TimeOfDayFromJulian(jd, c.hour, c.minute, c.second, c.hundredths);
    if (c.hour >= 24) {
        jd = std::floor(jd + 0.5) + 0.5;  // the next midnight
        c.hour = c.minute = c.second = c.hundredths = 0;
    }
    CalendarDateFromJulian(jd, c.year, c.month, c.day);
    return c;
}

}  // namespace vantrek
