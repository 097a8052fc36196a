#include "astro/julian_date.hpp"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

using namespace vantrek;

TEST(JulianDate, YearStartAndGregorianRange) {
    EXPECT_DOUBLE_EQ(JulianDateOfYearStart(2000.0), 2451543.5);
    EXPECT_DOUBLE_EQ(JulianDateFromCalendar(2000, 1, 1, 0, 0, 0, 0), 2451544.5);
    EXPECT_NE(JulianDateFromCalendar(1583, 1, 1, 0, 0, 0, 0), kInvalidJulianDate);
    EXPECT_DOUBLE_EQ(JulianDateFromCalendar(1582, 12, 31, 0, 0, 0, 0), kInvalidJulianDate);
    EXPECT_DOUBLE_EQ(JulianDateFromCalendar(3001, 1, 1, 0, 0, 0, 0), kInvalidJulianDate);
    EXPECT_NE(JulianDateFromCalendar(3000, 12, 31, 0, 0, 0, 0), kInvalidJulianDate);
    EXPECT_DOUBLE_EQ(JulianDateOfYearStart(std::numeric_limits<double>::quiet_NaN()), kInvalidJulianDate);
}

TEST(JulianDate, DayRangeAndRunOn) {
    EXPECT_DOUBLE_EQ(JulianDateFromCalendar(2024, 5, -1, 0, 0, 0, 0), kInvalidJulianDate);
    EXPECT_DOUBLE_EQ(JulianDateFromCalendar(2024, 5, 32, 0, 0, 0, 0), kInvalidJulianDate);
    // Day 0 of March is the last day of February; February 30 runs on into March.
    EXPECT_DOUBLE_EQ(JulianDateFromCalendar(2023, 3, 0, 0, 0, 0, 0),
                     JulianDateFromCalendar(2023, 2, 28, 0, 0, 0, 0));
    EXPECT_DOUBLE_EQ(JulianDateFromCalendar(2024, 3, 0, 0, 0, 0, 0),
                     JulianDateFromCalendar(2024, 2, 29, 0, 0, 0, 0));
    EXPECT_DOUBLE_EQ(JulianDateFromCalendar(2023, 2, 30, 0, 0, 0, 0),
                     JulianDateFromCalendar(2023, 3, 2, 0, 0, 0, 0));
    // Hours and minutes have no range limits.
    EXPECT_DOUBLE_EQ(JulianDateFromCalendar(2023, 6, 1, 25, 0, 0, 0),
                     JulianDateFromCalendar(2023, 6, 2, 1, 0, 0, 0));
    // A month outside 1..12 is refused instead of reading past the month table.
    EXPECT_DOUBLE_EQ(JulianDateFromCalendar(2023, 13, 1, 0, 0, 0, 0), kInvalidJulianDate);
    EXPECT_DOUBLE_EQ(JulianDateFromCalendar(2023, 0, 1, 0, 0, 0, 0), kInvalidJulianDate);
}

TEST(JulianDate, LeapYearsRoundTrip) {
    for (int year : {1600, 1900, 2000, 2023, 2024, 2100}) {
        const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
        const int days = leap ? 29 : 28;
        for (int d = 1; d <= days; ++d) {
            int32_t y, m, day;
            CalendarDateFromJulian(JulianDateFromCalendar(year, 2, d, 12, 0, 0, 0), y, m, day);
            EXPECT_EQ(y, year);
            EXPECT_EQ(m, 2);
            EXPECT_EQ(day, d);
        }
        EXPECT_DOUBLE_EQ(JulianDateFromCalendar(year, 3, 1, 0, 0, 0, 0) -
                             JulianDateFromCalendar(year, 2, days, 0, 0, 0, 0),
                         1.0);
    }
}

TEST(JulianDate, CalendarRoundTripOverCenturies) {
    for (double jd = 2299300.0; jd < 2817000.0; jd += 397.37) {
        int32_t y, m, d, hh, mm, ss, cs;
        CalendarDateFromJulian(jd, y, m, d);
        TimeOfDayFromJulian(jd, hh, mm, ss, cs);
        const double back = JulianDateFromCalendar(y, m, d, hh, mm, ss, cs * 10);
        ASSERT_NEAR(back, jd, 0.5 / 86400.0 / 100.0 + 1e-9) << jd;
    }
}

TEST(JulianDate, TimeOfDay) {
    int32_t h, m, s, cs;
    TimeOfDayFromJulian(2451544.5, h, m, s, cs);
    EXPECT_EQ(h * 1000000 + m * 10000 + s * 100 + cs, 0);
    TimeOfDayFromJulian(JulianDateFromCalendar(2021, 7, 14, 12, 34, 56, 780), h, m, s, cs);
    EXPECT_EQ(h, 12);
    EXPECT_EQ(m, 34);
    EXPECT_EQ(s, 56);
    EXPECT_EQ(cs, 78);
    TimeOfDayFromJulian(JulianDateFromCalendar(2021, 7, 14, 23, 59, 59, 990), h, m, s, cs);
    EXPECT_EQ(h, 23);
    EXPECT_EQ(cs, 99);
}

TEST(JulianDate, NonFiniteDatesGiveZeroFields) {
    int32_t y = 1, m = 1, d = 1, hh = 1, mm = 1, ss = 1, cs = 1;
    CalendarDateFromJulian(std::numeric_limits<double>::infinity(), y, m, d);
    TimeOfDayFromJulian(std::numeric_limits<double>::quiet_NaN(), hh, mm, ss, cs);
    EXPECT_EQ(y + m + d + hh + mm + ss + cs, 0);
}

TEST(JulianDate, Epochs) {
    EXPECT_DOUBLE_EQ(JulianDateFromEpoch(57001.0), JulianDateFromCalendar(1957, 1, 1, 0, 0, 0, 0));
    EXPECT_DOUBLE_EQ(JulianDateFromEpoch(56001.0), JulianDateFromCalendar(2056, 1, 1, 0, 0, 0, 0));
    EXPECT_DOUBLE_EQ(JulianDateFromEpoch(0.0 + 1.5), JulianDateFromCalendar(2000, 1, 1, 12, 0, 0, 0));
    // Day 264.51782528 of 2008.
    EXPECT_NEAR(JulianDateFromEpoch(8264.51782528), 2454465.5 + 264.51782528, 1e-8);
    EXPECT_NEAR(JulianDateFromEpoch(99365.0), JulianDateFromCalendar(1999, 12, 31, 0, 0, 0, 0), 1e-9);
}
