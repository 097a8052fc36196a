#include "astro/julian_date.hpp"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

using namespace vantrek;

namespace {
double date(int32_t y, int32_t m, int32_t d, int32_t h = 0) { return JulianDateFromCalendar(y, m, d, h, 0, 0, 0); }
}  // namespace

TEST(JulianDate, RangesAndRunOn) {
    EXPECT_DOUBLE_EQ(JulianDateOfYearStart(2000.0), 2451543.5);
    EXPECT_DOUBLE_EQ(date(2000, 1, 1), 2451544.5);
    EXPECT_NE(date(1583, 1, 1), kInvalidJulianDate);
    EXPECT_NE(date(3000, 12, 31), kInvalidJulianDate);
    // Refused: outside the Gregorian years, day outside 0..31, and a month outside
    // 1..12 (instead of reading past the month table).
    const int32_t refused[][3] = {{1582, 12, 31}, {3001, 1, 1}, {2024, 5, -1},
                                  {2024, 5, 32},  {2023, 13, 1}, {2023, 0, 1}};
    for (const auto& r : refused) {
        EXPECT_DOUBLE_EQ(date(r[0], r[1], r[2]), kInvalidJulianDate) << r[0] << "-" << r[1] << "-" << r[2];
    }
    EXPECT_DOUBLE_EQ(JulianDateOfYearStart(std::numeric_limits<double>::quiet_NaN()), kInvalidJulianDate);
    // Day 0 is the last day of the month before; days and hours run on.
    EXPECT_DOUBLE_EQ(date(2024, 3, 0), date(2024, 2, 29));
    EXPECT_DOUBLE_EQ(date(2023, 2, 30), date(2023, 3, 2));
    EXPECT_DOUBLE_EQ(date(2023, 6, 1, 25), date(2023, 6, 2, 1));
}

TEST(JulianDate, LeapYears) {
    for (int year : {1600, 1900, 2000, 2023, 2024, 2100}) {
        const int days = ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0) ? 29 : 28;
        int32_t y, m, d;
        CalendarDateFromJulian(date(year, 2, days, 12), y, m, d);
        EXPECT_EQ(y * 10000 + m * 100 + d, year * 10000 + 200 + days);
        EXPECT_DOUBLE_EQ(date(year, 3, 1) - date(year, 2, days), 1.0) << year;
    }
}

TEST(JulianDate, CalendarAndTimeOfDayRoundTripOverCenturies) {
    for (double jd = 2299300.0; jd < 2817000.0; jd += 397.37) {
        int32_t y, m, d, hh, mm, ss, cs;
        CalendarDateFromJulian(jd, y, m, d);
        TimeOfDayFromJulian(jd, hh, mm, ss, cs);
        const double back = JulianDateFromCalendar(y, m, d, hh, mm, ss, cs * 10);
        ASSERT_NEAR(back, jd, 0.5 / 86400.0 / 100.0 + 1e-9) << jd;
    }
    int32_t h, m, s, cs;
    TimeOfDayFromJulian(JulianDateFromCalendar(2021, 7, 14, 23, 59, 59, 990), h, m, s, cs);
    EXPECT_EQ(h * 1000000 + m * 10000 + s * 100 + cs, 23595999);
}

TEST(JulianDate, NonFiniteDatesGiveZeroFields) {
    int32_t y = 1, m = 1, d = 1, hh = 1, mm = 1, ss = 1, cs = 1;
    CalendarDateFromJulian(std::numeric_limits<double>::infinity(), y, m, d);
    TimeOfDayFromJulian(std::numeric_limits<double>::quiet_NaN(), hh, mm, ss, cs);
    EXPECT_EQ(y + m + d + hh + mm + ss + cs, 0);
}

TEST(JulianDate, Epochs) {
    // Two-digit years 57..99 are 1957..1999, 00..56 are 2000..2056.
    EXPECT_DOUBLE_EQ(JulianDateFromEpoch(57001.0), date(1957, 1, 1));
    EXPECT_DOUBLE_EQ(JulianDateFromEpoch(56001.0), date(2056, 1, 1));
    EXPECT_DOUBLE_EQ(JulianDateFromEpoch(1.5), date(2000, 1, 1, 12));
    EXPECT_NEAR(JulianDateFromEpoch(8264.51782528), 2454465.5 + 264.51782528, 1e-8);  // day 264 of 2008
}
