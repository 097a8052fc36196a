#include <cmath>
#include <memory>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "gps/clock_from_gps.hpp"
#include "ui/dialogs/gps_settings_dialog.hpp"
#include "gps/read_sentence.hpp"
#include "gps_test_support.hpp"
#include "platform/fake_serial_port.hpp"

using namespace vantrek;

namespace {

// Tracking on, with the time and date of an RMC sentence arrived at `tick`.
void GpsTime(GpsFix& fix, const std::string& hhmmss, const std::string& ddmmyy, uint32_t tick) {
    fix.trackingEnabled = true;
    const std::string rmc = vantrek::testing::Sentence("GPRMC," + hhmmss + ",A,,,,,,," + ddmmyy);
    MemoryByteSource source(rmc.data(), static_cast<long>(rmc.size()));
    ReadSentence(source, fix);
    UpdateGpsFix(fix, [&](GpsFixData& d) { d.lastTimeTick = tick; });
}

auto Fields(const LocalClockTime& t) {
    return std::make_tuple(t.year, t.month, t.day, t.hour, t.minute, t.second, t.millisecond);
}

}  // namespace

// The clock is set in UTC: the system's zone rules make local time of it, so
// a half-hour zone or a daylight-saving change cannot put it off. Tracking off
// and a system that says no: the time dialog's test.
TEST(ClockFromGps, CarriesTheDelayIntoTheNextSecondInUtcAndRefusesAnImpossibleTime) {
    const struct {
        const char *utcTime, *utcDate;  // RMC fields
        uint32_t arrived, now;          // ticks
        int32_t delayMs;
        LocalClockTime set;  // year 0: the clock is left alone
    } cases[] = {
        // 590 ms since the time arrived, + 10 ms; seconds carry into the next day.
        {"235959.50", "311224", 1000, 1590, 600, {2025, 1, 1, 0, 0, 1, 0}},
        {"030000.00", "290224", 5000, 5000, 10, {2024, 2, 29, 3, 0, 1, 0}},            // a leap day
        {"235958.00", "311223", 100, 1590, 1500, {2024, 1, 1, 0, 0, 0, 0}},            // not 24:00:00
        {"120000.00", "010624", 0xFFFFFF00u, 0x100, 522, {2024, 6, 1, 12, 0, 1, 0}},  // tick wrapped
        {"120000", "", 0, 0, 0, {}},                                                   // no date yet: a void RMC
        {"770000", "010624", 0, 0, 0, {}},                                             // an impossible hour
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.utcTime) + " " + c.utcDate);
        GpsFix fix;
        GpsTime(fix, c.utcTime, c.utcDate, c.arrived);
        FakeSystemClock clock;
        clock.tick = c.now;
        clock.local = {2025, 1, 1, 5, 29, 58, 300};  // UTC+5:30, never read
        clock.utc = {2024, 12, 31, 23, 59, 58, 300};
        GpsClockSetting setting;
        if (c.set.year == 0) {
            EXPECT_EQ(SetClockFromGps(fix, clock, setting), GpsClockResult::ClockNotSet);
            EXPECT_EQ(clock.setCalls + static_cast<int>(clock.sleptMs), 0);
            continue;
        }
        ASSERT_EQ(SetClockFromGps(fix, clock, setting), GpsClockResult::ClockSet);
        EXPECT_EQ(Fields(clock.lastSet), Fields(c.set));
        EXPECT_EQ(setting.delayMs, c.delayMs);
        if (&c != &cases[0]) continue;
        EXPECT_EQ(clock.sleptMs, 901u);
        EXPECT_DOUBLE_EQ(setting.targetSecond, 61.099);
        EXPECT_EQ(setting.correctionS, 3);  // across the hour, not -3597
    }
}

TEST(GpsSettingsDialog, TrackBoxTestButtonAndOk) {
    GpsFix fix;
    GpsOptions options{15, 3, true, false};  // a port index outside the table
    GpsSettingsForm form = OpenGpsSettings(options, fix);
    EXPECT_EQ(form.portSelection, 0u);
    EXPECT_EQ(form.speedSelection, 3u);

    // Test: configures the selected port (in memory; stored only by OK) unless the reader owns it.
    FakeSerialPort port;
    form = {3, 5, false, false, false};
    EXPECT_EQ(TestGpsPort(form, options, fix, port), PortTestResult::PortConfigured);
    EXPECT_EQ(options.gpsPort, 3u);
    EXPECT_EQ(options.gpsSpeed, 5u);
    EXPECT_EQ(port.lastPortName() + std::to_string(port.lastBaudRate()), "COM3:14400");
    port.refuseConfigure = true;
    EXPECT_EQ(TestGpsPort(form, options, fix, port), PortTestResult::ConfigurationFailed);
    EXPECT_FALSE(port.isOpen());  // closed after a failure too
    form.trackGps = true;
    ClickTrackGps(form, fix);  // acts at once, before OK or Cancel (the settings dialog's test)
    EXPECT_EQ(TestGpsPort(form, options, fix, port), PortTestResult::PortBusy);
    EXPECT_EQ(port.openCalls, 2);

    // OK starts tracking on the chosen port (stopping it and the signal map
    // excluding the compass: the settings dialog's test).
    GpsReader reader(std::make_unique<FakeSerialPort>());
    AcceptGpsSettings({2, 10, true, true, false}, options, fix, reader);
    EXPECT_EQ(fix.portIndex * 1000000 + fix.baudRate, 2115200u);
    EXPECT_TRUE(reader.thread.joinable());
    vantrek::testing::FinishesOrAbort([&] { StopReader(fix, reader); });
}
