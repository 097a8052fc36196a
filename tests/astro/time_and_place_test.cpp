// Time and place: Julian dates, sidereal time and angles; the observer, look
// angles, refraction and the geodetic point.
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "astro/angles.hpp"
#include "astro/constants.hpp"
#include "astro/geodetic.hpp"
#include "astro/julian_date.hpp"
#include "astro/look_angles.hpp"
#include "astro/observer.hpp"
#include "astro/refraction.hpp"
#include "astro/sidereal_time.hpp"

using namespace vantrek;

namespace {

double date(int32_t y, int32_t m, int32_t d, int32_t h = 0) { return JulianDateFromCalendar(y, m, d, h, 0, 0, 0); }

constexpr double kArcmin = kDegree / 60.0;
const double kJd = 2460000.3;  // an arbitrary instant in 2023

// Inertial position of a body seen from the observer at azimuth/elevation
// (rad, about the ellipsoid normal) and range (km), built independently of
// the look-angle routine.
Vector4 bodyAt(double jd, Observer observer, double azimuth, double elevation, double range) {
    Vector4 site, siteVelocity;
    ObserverEci(jd, observer, site, siteVelocity);
    const double sp = std::sin(observer.latitude), cp = std::cos(observer.latitude);
    const double st = std::sin(observer.theta), ct = std::cos(observer.theta);
    const double south = -std::cos(azimuth) * std::cos(elevation) * range;
    const double east = std::sin(azimuth) * std::cos(elevation) * range;
    const double up = std::sin(elevation) * range;
    return Vector4{site.x + south * sp * ct - east * st + up * cp * ct,
                   site.y + south * sp * st + east * ct + up * cp * st, site.z - south * cp + up * sp, 0.0};
}

}  // namespace

TEST(Angles, TheAxesAndAntiparallelVectors) {
    EXPECT_NEAR(NormalizeAngle(-9.0 * kTwoPi - 1.0), kTwoPi - 1.0, 1e-12);
    // The axes: y = 0 with x > 0 gives 2 pi; x = 0 gives pi/2 or 3 pi/2.
    EXPECT_DOUBLE_EQ(AngleFromSinCos(0.0, 1.0), kTwoPi);
    EXPECT_DOUBLE_EQ(AngleFromSinCos(0.0, 0.0), 3.0 * kHalfPi);
    EXPECT_DOUBLE_EQ(AngleFromSinCos(2.0, 0.0), kHalfPi);
    EXPECT_NEAR(AngleFromSinCos(-5.0, -5.0), 1.25 * kPi, 1e-12);
    EXPECT_DOUBLE_EQ(ArcSinClamped(1.0000001), kHalfPi);  // rounding past 1 is not NaN
    Vector4 a{3.0, 0.0, 4.0, 0.0}, c{-6.0, 0.0, -8.0, 0.0};
    EXPECT_NEAR(AngleBetween(a, c), kPi, 1e-12);
    EXPECT_DOUBLE_EQ(a.w, 5.0);  // lengths written back
}

TEST(SiderealTime, J2000AndDailyAdvance) {
    EXPECT_NEAR(GreenwichSiderealAngle(2451545.0), 4.8949612, 5e-8);  // 280.4606 degrees
    // One solar day later the sidereal angle has gained about 0.9856 degrees.
    const double gain = NormalizeAngle(GreenwichSiderealAngle(2460000.25) - GreenwichSiderealAngle(2459999.25));
    EXPECT_NEAR(gain / kDegree, 0.98565, 1e-4);
}

TEST(JulianDate, RangesRunOnAndRoundTripsOverCenturies) {
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
    // Non-finite dates give zero fields.
    int32_t y = 1, m = 1, d = 1, hh = 1, mm = 1, ss = 1, cs = 1;
    CalendarDateFromJulian(std::numeric_limits<double>::infinity(), y, m, d);
    TimeOfDayFromJulian(std::numeric_limits<double>::quiet_NaN(), hh, mm, ss, cs);
    EXPECT_EQ(y + m + d + hh + mm + ss + cs, 0);
    // Two-digit epoch years 57..99 are 1957..1999, 00..56 are 2000..2056.
    EXPECT_DOUBLE_EQ(JulianDateFromEpoch(57001.0), date(1957, 1, 1));
    EXPECT_DOUBLE_EQ(JulianDateFromEpoch(56001.0), date(2056, 1, 1));
    EXPECT_NEAR(JulianDateFromEpoch(8264.51782528), 2454465.5 + 264.51782528, 1e-8);  // day 264 of 2008

    // Calendar and time of day back and forth over the centuries.
    for (double jd = 2299300.0; jd < 2817000.0; jd += 397.37) {
        CalendarDateFromJulian(jd, y, m, d);
        TimeOfDayFromJulian(jd, hh, mm, ss, cs);
        const double back = JulianDateFromCalendar(y, m, d, hh, mm, ss, cs * 10);
        ASSERT_NEAR(back, jd, 0.5 / 86400.0 / 100.0 + 1e-9) << jd;
    }
    for (const int32_t year : {1600, 1900, 2000, 2023, 2024, 2100}) {  // the last of February
        const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
        CalendarDateFromJulian(date(year, 3, 1) - 0.5, y, m, d);
        EXPECT_EQ(y * 10000 + m * 100 + d, year * 10000 + 228 + leap) << year;
    }
    // 23:59:59.997 rounds to the hundredth; it must not read 24:00:00 on 31 December.
    const CalendarInstant c = CalendarInstantFromJulian(JulianDateFromCalendar(2026, 12, 31, 23, 59, 59, 997));
    EXPECT_EQ(c.year * 10000 + c.month * 100 + c.day, 20270101);
    EXPECT_EQ(c.hour + c.minute + c.second + c.hundredths, 0);
    const CalendarInstant before = CalendarInstantFromJulian(JulianDateFromCalendar(2026, 12, 31, 23, 59, 59, 990));
    EXPECT_EQ(before.day, 31);
    EXPECT_EQ(before.hundredths, 99);
}

// The start-up observer's geocentric radius (6364 km near 54 degrees) is the
// space view's observer distance, checked with the snapshot.
TEST(ObserverEci, AtTheEquator) {
    Observer o;
    o.latitude = o.longitude = o.height = 0.0;
    Vector4 p, v;
    const double speed = ObserverEci(kJd, o, p, v);
    EXPECT_NEAR(p.w, 6378.135, 1e-4);  // the equatorial radius: nowhere else
    EXPECT_NEAR(speed, 0.4651, 5e-5);  // the equator's speed, km/s
}

TEST(ComputeLookAngles, RecoversTheBodyThenKeepsAndRefractsBelowTheHorizon) {
    Observer o;
    LookAngles look;
    for (double az : {0.1, 2.5, 3.3, 5.9}) {  // one in each quadrant
        for (double el : {0.05, 1.2}) {
            ASSERT_TRUE(ComputeLookAngles(kJd, bodyAt(kJd, o, az, el, 1500.0), Vector4{}, o, look, 0, 0));
            EXPECT_NEAR(look.azimuth, az, 1e-9);
            EXPECT_NEAR(look.elevation, el, 1e-9);
            EXPECT_NEAR(look.range, 1500.0, 1e-6);
        }
    }
    ASSERT_TRUE(ComputeLookAngles(kJd, bodyAt(kJd, o, 0.0, kHalfPi, 400.0), Vector4{}, o, look, 0, 0));
    EXPECT_NEAR(look.elevation, kHalfPi, 1e-7);  // saturates at the zenith

    Vector4 site, siteVelocity;
    ObserverEci(kJd, o, site, siteVelocity);
    const Vector4 p = bodyAt(kJd, o, 2.0, 0.7, 800.0);
    // Moving straight away from the observer at 3 km/s, on top of the site's own motion.
    Vector4 v{siteVelocity.x + 3.0 * (p.x - site.x) / 800.0, siteVelocity.y + 3.0 * (p.y - site.y) / 800.0,
              siteVelocity.z + 3.0 * (p.z - site.z) / 800.0, 0.0};
    ASSERT_TRUE(ComputeLookAngles(kJd, p, v, o, look, 1, 0));
    EXPECT_NEAR(look.rangeRate, 3.0, 1e-9);
    // A body at the observer itself has no bearing: azimuth 0, never NaN.
    ASSERT_TRUE(ComputeLookAngles(kJd, site, Vector4{}, o, look, 1, 0));
    EXPECT_EQ(look.azimuth, 0.0);

    // Below the horizon without keep: azimuth and range rate zeroed, the
    // elevation still reported; keep completes the angles. Refraction lifts
    // -0.3 degree to an apparent +0.23 degree; below -0.5 degree nothing is refracted.
    const struct { uint8_t keep, refraction; double trueDeg; bool up; double apparentDeg; } rows[] = {
        {0, 0, -0.1, false, -0.1}, {1, 0, -0.1, true, -0.1}, {0, 1, -0.3, true, 0.227}, {0, 1, -0.6, false, -0.6}};
    for (const auto& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.trueDeg << " keep " << +r.keep << " refraction " << +r.refraction);
        look.azimuth = look.rangeRate = 99.0;
        const Vector4 body = bodyAt(kJd, o, 1.0, r.trueDeg * kDegree, 2000.0), moving{0.0, 7.0, 1.0, 0.0};
        EXPECT_EQ(ComputeLookAngles(kJd, body, moving, o, look, r.keep, r.refraction), r.up);
        EXPECT_NEAR(look.elevation / kDegree, r.apparentDeg, 0.005);
        EXPECT_NEAR(look.azimuth, r.up ? 1.0 : 0.0, 1e-9);
        EXPECT_EQ(look.rangeRate == 0.0, !r.up);
    }
}

TEST(ApplyRefraction, PublishedFigures) {
    // Near the zenith the correction is a few hundredths of an arcminute, either sign.
    const struct {
        double trueDeg, liftArcmin, tolerance;
    } cases[] = {{0.0, 28.9, 0.1},   {-0.3, 31.6, 0.1}, {5.0, 9.6, 0.1}, {10.0, 5.3, 0.1},
                 {45.0, 0.97, 0.02}, {85.0, 0.0, 0.1},  {89.0, 0.0, 0.1}, {90.0, 0.0, 0.1}};
    for (const auto& c : cases) {
        LookAngles look;
        look.elevation = c.trueDeg * kDegree;
        ApplyRefraction(look);
        EXPECT_NEAR((look.elevation - c.trueDeg * kDegree) / kArcmin, c.liftArcmin, c.tolerance) << c.trueDeg;
    }
}

TEST(GeodeticFromEci, RoundTripInBothHemispheres) {
    for (double latDeg : {-89.0, -54.3, -12.0, 0.5, 33.3, 71.0}) {
        for (double height : {0.0, 420.0, 35786.0}) {
            Observer o;
            o.latitude = latDeg * kDegree;
            o.longitude = (latDeg < 0.0 ? -170.0 : 135.0) * kDegree;  // west and east
            o.height = height;
            Vector4 p, v;
            ObserverEci(kJd, o, p, v);
            GeodeticPoint g;
            EXPECT_LE(GeodeticFromEci(kJd, p, g), 10);
            EXPECT_NEAR(g.latitude, o.latitude, 1e-6) << latDeg << " " << height;
            EXPECT_NEAR(g.longitude, NormalizeAngle(o.longitude), 1e-9);
            EXPECT_NEAR(g.height, height, 0.01);
            EXPECT_NEAR(g.rightAscension, o.theta, 1e-9);
        }
    }
}
