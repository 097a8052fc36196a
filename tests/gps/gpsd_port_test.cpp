// The port "gpsd": a capture replayed through a real gpsd (gpsfake) reads to
// the same fix as the file itself.
#include <cstdlib>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "gps/fix_report.hpp"
#include "gps/gps_reader.hpp"
#include "gps_test_support.hpp"
#include "platform/linux_serial_port.hpp"

using namespace vantrek;
using namespace vantrek::testing;

TEST(GpsdPort, RefusedConnectionFailsTheOpenAndAReplayGivesTheFileFix) {
    SerialDeviceMap devices;
    devices.gpsdPort = FreeLoopbackPort();
    ASSERT_NE(devices.gpsdPort, 0);
    LinuxSerialPort refused(devices, 200);
    EXPECT_FALSE(refused.open("gpsd", 4800));  // counted by the reader as a failed open

    if (system("command -v gpsfake >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "gpsfake (Debian package gpsd-clients) is not installed";
    ChildProgram daemon({"gpsfake", "-q", "-c", "0.01", "-P", std::to_string(devices.gpsdPort),
                         kMultiConstellationCapture});
    auto port = std::make_unique<LinuxSerialPort>(devices, 520);
    LinuxSerialPort* reading = port.get();
    if (!WaitUntil([&] { return reading->open("gpsd", 4800); })) GTEST_SKIP() << "gpsd did not start under gpsfake";
    reading->close();

    // gpsfake repeats the capture; once the fix has been through all of it, it
    // stays at the file's final fix (every cycle writes the same fields).
    const std::string wanted = ParsedReport(FileText(kMultiConstellationCapture));
    auto fix = std::make_unique<GpsFix>();
    GpsReader reader(std::move(port));
    ASSERT_TRUE(SwitchTrackingOn(*fix, reader, 11, 3));
    EXPECT_TRUE(WaitUntil([&] { return FormatGpsFixReport(SnapshotGpsFix(*fix)) == wanted; }))
        << FormatGpsFixReport(SnapshotGpsFix(*fix));
    EXPECT_EQ(fix->openCount, 1);  // gpsd's JSON reports never look like a broken line
    FinishesOrAbort([&] { StopReader(*fix, reader); });
}
