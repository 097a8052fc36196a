#include <memory>

#include <gtest/gtest.h>

#include "gps/clock_from_gps.hpp"
#include "gps/gps_settings_form.hpp"
#include "gps_test_support.hpp"
#include "platform/fake_serial_port.hpp"

using namespace vantrek;

namespace {

// Tracking on, with the GPS time given as {year, month, day, hour, minute, second, ms}
// and the tick at which it arrived.
void GpsTime(GpsFix& fix, LocalClockTime t, uint32_t tick) {
    fix.trackingEnabled = true;
    UpdateGpsFix(fix, [&](GpsFixData& d) {
        d.utcYear = t.year;
        d.utcMonth = static_cast<uint32_t>(t.month);
        d.utcDay = static_cast<uint32_t>(t.day);
        d.utcHour = static_cast<int16_t>(t.hour);
        d.utcMinute = static_cast<int16_t>(t.minute);
        d.utcSecond = static_cast<int16_t>(t.second);
        d.utcHundredths = static_cast<int16_t>(t.millisecond / 10);
        d.lastTimeTick = tick;
    });
}

// The clock as set, "YYYY-MM-DD hh:mm:ss.mmm".
std::string SetTo(const FakeSystemClock& clock) {
    const LocalClockTime& t = clock.lastSet;
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", t.year, t.month, t.day, t.hour,
                  t.minute, t.second, t.millisecond);
    return text;
}

}  // namespace

TEST(ClockFromGps, CarriesSecondsIntoTheNextDayAndLocalTime) {
    GpsFix fix;
    GpsTime(fix, {2024, 12, 31, 23, 59, 59, 500}, 1000);
    FakeSystemClock clock;
    clock.tick = 1590;  // 590 ms since the time arrived, + 10 ms: a delay of 600 ms
    clock.local = {2025, 1, 1, 1, 59, 58, 300};
    GpsClockSetting setting;
    ASSERT_EQ(SetClockFromGps(fix, 2.0 / 24.0, clock, setting), GpsClockResult::ClockSet);
    EXPECT_EQ(SetTo(clock), "2025-01-01 02:00:01.000");
    EXPECT_EQ(clock.sleptMs, 901u);
    EXPECT_EQ(setting.delayMs, 600);
    EXPECT_DOUBLE_EQ(setting.targetSecond, 61.099);
    EXPECT_EQ(setting.correctionS, 3);  // across the hour, not -3597
}

TEST(ClockFromGps, WestOfUtcLeapDayMidnightAndTickWrap) {
    GpsFix fix;
    FakeSystemClock clock;
    GpsClockSetting setting;
    GpsTime(fix, {2024, 2, 29, 3, 0, 0, 0}, 5000);
    clock.tick = 5000;
    ASSERT_EQ(SetClockFromGps(fix, -5.0 / 24.0, clock, setting), GpsClockResult::ClockSet);
    EXPECT_EQ(SetTo(clock), "2024-02-28 22:00:01.000");

    GpsTime(fix, {2023, 12, 31, 23, 59, 58, 0}, 100);
    clock.tick = 1590;  // lands on midnight exactly: 00:00:00 of the new day, not 24:00:00
    ASSERT_EQ(SetClockFromGps(fix, 0.0, clock, setting), GpsClockResult::ClockSet);
    EXPECT_EQ(SetTo(clock), "2024-01-01 00:00:00.000");

    GpsTime(fix, {2024, 6, 1, 12, 0, 0, 0}, 0xFFFFFF00u);
    clock.tick = 0x100;  // the tick wrapped in between
    ASSERT_EQ(SetClockFromGps(fix, 0.0, clock, setting), GpsClockResult::ClockSet);
    EXPECT_EQ(setting.delayMs, 522);
    EXPECT_EQ(SetTo(clock), "2024-06-01 12:00:01.000");
}

TEST(ClockFromGps, RefusesWithoutTrackingWithoutADateOrWhenTheSystemSaysNo) {
    GpsFix fix;
    FakeSystemClock clock;
    GpsClockSetting setting;
    GpsTime(fix, {2024, 6, 1, 12, 0, 0, 0}, 0);
    fix.trackingEnabled = false;
    EXPECT_EQ(SetClockFromGps(fix, 0.0, clock, setting), GpsClockResult::TrackingOff);
    GpsTime(fix, {2000, 0, 0, 12, 0, 0, 0}, 0);  // no RMC yet, or a void one
    EXPECT_EQ(SetClockFromGps(fix, 0.0, clock, setting), GpsClockResult::ClockNotSet);
    GpsTime(fix, {2024, 6, 1, 77, 0, 0, 0}, 0);
    EXPECT_EQ(SetClockFromGps(fix, 0.0, clock, setting), GpsClockResult::ClockNotSet);
    EXPECT_EQ(clock.setCalls + static_cast<int>(clock.sleptMs), 0);

    GpsTime(fix, {2024, 6, 1, 12, 0, 0, 0}, 0);
    clock.refuseSet = true;
    EXPECT_EQ(SetClockFromGps(fix, 0.0, clock, setting), GpsClockResult::ClockNotSet);
}

TEST(GpsSettingsDialog, TrackBoxActsAtOnceAndSignalMapBeatsCompass) {
    GpsFix fix;
    GpsOptions options{15, 3, true, false};  // a port index outside the table
    GpsSettingsForm form = OpenGpsSettings(options, fix);
    EXPECT_EQ(form.portSelection, 0u);
    EXPECT_EQ(form.speedSelection, 3u);
    EXPECT_TRUE(form.autoCompass);
    form.trackGps = true;
    ClickTrackGps(form, fix);  // then Cancel: tracking stays on
    EXPECT_TRUE(fix.trackingEnabled);

    GpsReader reader(std::make_unique<FakeSerialPort>());
    form = {2, 10, false, true, true};
    AcceptGpsSettings(form, options, fix, reader);
    EXPECT_TRUE(options.signalMap);
    EXPECT_FALSE(options.gpsCompass);
    EXPECT_EQ(options.gpsPort * 100 + options.gpsSpeed, 210u);
    EXPECT_FALSE(fix.trackingEnabled);
    EXPECT_FALSE(reader.thread.joinable());

    form = {2, 10, true, true, false};
    AcceptGpsSettings(form, options, fix, reader);
    EXPECT_TRUE(options.gpsCompass);
    EXPECT_TRUE(fix.trackingEnabled);
    EXPECT_EQ(fix.portIndex, 2u);
    EXPECT_EQ(fix.baudRate, 115200u);
    EXPECT_TRUE(reader.thread.joinable());
    vantrek::testing::FinishesOrAbort([&] { StopReader(fix, reader); });
}

TEST(GpsSettingsDialog, TestButtonConfiguresTheSelectedPortUnlessTracking) {
    GpsFix fix;
    GpsOptions options;
    FakeSerialPort port;
    GpsSettingsForm form{3, 5, false, false, false};
    EXPECT_EQ(TestGpsPort(form, options, fix, port), PortTestResult::PortConfigured);
    EXPECT_EQ(options.gpsPort * 100 + options.gpsSpeed, 305u);  // in memory; stored only by OK
    EXPECT_EQ(port.lastPortName(), "COM3:");
    EXPECT_EQ(port.lastBaudRate(), 14400u);
    EXPECT_FALSE(port.isOpen());

    port.refuseConfigure = true;
    EXPECT_EQ(TestGpsPort(form, options, fix, port), PortTestResult::ConfigurationFailed);
    EXPECT_FALSE(port.isOpen());
    port.refuseConfigure = false;
    form.portSelection = 0;
    EXPECT_EQ(TestGpsPort(form, options, fix, port), PortTestResult::ConfigurationFailed);

    fix.trackingEnabled = true;
    const int opens = port.openCalls;
    EXPECT_EQ(TestGpsPort(form, options, fix, port), PortTestResult::PortBusy);
    EXPECT_EQ(port.openCalls, opens);
}
