// The port "gpsd": a capture replayed through a real gpsd (gpsfake) reads to
// the same fix as the file itself.
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "gps/fix_report.hpp"
#include "gps/gps_reader.hpp"
#include "gps_test_support.hpp"
#include "platform/linux_serial_port.hpp"

using namespace vantrek;
using vantrek::testing::WaitUntil;

namespace {

// A loopback TCP port nothing listens on at the moment of asking.
uint16_t FreeLoopbackPort() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    uint16_t port = 0;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) == 0)
        port = ntohs(address.sin_port);
    close(fd);
    return port;
}

// gpsfake and the gpsd it starts, in a process group of their own.
struct FakeGpsd {
    explicit FakeGpsd(uint16_t port) {
        pid = fork();
        if (pid == 0) {
            setpgid(0, 0);
            const std::string portText = std::to_string(port);
            execlp("gpsfake", "gpsfake", "-q", "-c", "0.01", "-P", portText.c_str(),
                   vantrek::testing::kMultiConstellationCapture.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    ~FakeGpsd() {
        if (pid <= 0) return;
        kill(-pid, SIGTERM);
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
    pid_t pid = -1;
};

}  // namespace

TEST(GpsdPort, RefusedConnectionFailsTheOpenAndAReplayGivesTheFileFix) {
    SerialDeviceMap devices;
    devices.gpsdPort = FreeLoopbackPort();
    ASSERT_NE(devices.gpsdPort, 0);
    LinuxSerialPort refused(devices, 200);
    EXPECT_FALSE(refused.open("gpsd", 4800));  // counted by the reader as a failed open

    if (system("command -v gpsfake >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "gpsfake (Debian package gpsd-clients) is not installed";
    FakeGpsd daemon(devices.gpsdPort);
    auto port = std::make_unique<LinuxSerialPort>(devices, 520);
    LinuxSerialPort* reading = port.get();
    const bool started = WaitUntil([&] { return reading->open("gpsd", 4800); });
    if (!started) GTEST_SKIP() << "gpsd did not start under gpsfake";
    reading->close();

    // gpsfake repeats the capture; once the fix has been through all of it, it
    // stays at the file's final fix (every cycle writes the same fields).
    const std::string wanted =
        vantrek::testing::ParsedReport(vantrek::testing::FileText(vantrek::testing::kMultiConstellationCapture));

    auto fix = std::make_unique<GpsFix>();
    GpsReader reader(std::move(port));
    ASSERT_TRUE(SwitchTrackingOn(*fix, reader, 11, 3));
    EXPECT_TRUE(WaitUntil([&] { return FormatGpsFixReport(SnapshotGpsFix(*fix)) == wanted; }))
        << FormatGpsFixReport(SnapshotGpsFix(*fix));
    EXPECT_EQ(fix->openCount, 1);  // gpsd's JSON reports never look like a broken line
    vantrek::testing::FinishesOrAbort([&] { StopReader(*fix, reader); });
}
