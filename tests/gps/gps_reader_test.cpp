// The reader: turned by hand and on its thread over a scripted port, then the
// real Linux serial adapter against pseudo-terminals (the test writes into the
// master side what a receiver would send, the reader reads the slave side) and
// the port "gpsd": a capture replayed through a real gpsd (gpsfake) reads to
// the same fix as the file itself.
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "gps/fix_report.hpp"
#include "gps/gps_reader.hpp"
#include "gps_test_support.hpp"
#include "platform/fake_serial_port.hpp"
#include "platform/linux_serial_port.hpp"

using namespace vantrek;
using namespace vantrek::testing;

namespace {

// A fix tracking COM1:, turned by hand (no thread).
struct ManualReader {
    ManualReader() { fix.portIndex = 1; fix.trackingEnabled = true; }
    void turns(int count) {
        for (int i = 0; i < count; ++i) ReaderTurn(fix, port, tally);
    }
    GpsFix fix;
    FakeSerialPort port;
    ReaderTally tally;
};

void Close(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

struct PseudoTerminal {
    PseudoTerminal() {
        termios raw{};
        cfmakeraw(&raw);
        char name[128] = {};
        if (openpty(&master, &slave, name, &raw, nullptr) != 0) return;
        slavePath = name;
        fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    }
    ~PseudoTerminal() { Close(slave); Close(master); }
    // Writes everything, waiting (bounded) while the reader drains the line.
    bool write(const std::string& bytes) {
        std::size_t done = 0;
        return WaitUntil([&] {
            const ssize_t n = ::write(master, bytes.data() + done, bytes.size() - done);
            if (n > 0) done += static_cast<std::size_t>(n);
            return done == bytes.size();
        });
    }
    int master = -1;
    int slave = -1;
    std::string slavePath;
};

}  // namespace

TEST(ReaderTurn, GivesUpAtExactlyAThousandOpens) {
    ManualReader r;
    r.port.refuseOpen = true;
    r.turns(kReaderGiveUpOpens + 50);
    EXPECT_EQ(r.port.openCalls, kReaderGiveUpOpens);  // no opens past the limit
    EXPECT_TRUE(r.fix.readerStopped);
    EXPECT_TRUE(TakeReaderGiveUp(r.fix));
    EXPECT_FALSE(r.fix.trackingEnabled);
    EXPECT_FALSE(TakeReaderGiveUp(r.fix));  // reported once

    // A port that opens but delivers only corrupt lines (a wrong line speed) is
    // reopened after each and ends the same way; lines of a type not handled but
    // with a good checksum keep it open (the pseudo-terminal test).
    ManualReader noisy;
    std::string noise;
    for (int i = 0; i < kReaderGiveUpOpens; ++i) noise += "$G\xf0\x13\x7f~,\x99\r\n";
    noisy.port.pushBytes(noise);
    noisy.turns(kReaderGiveUpOpens + 5);
    EXPECT_EQ(noisy.fix.openCount, kReaderGiveUpOpens);
    EXPECT_FALSE(noisy.port.isOpen());
    EXPECT_TRUE(TakeReaderGiveUp(noisy.fix));
}

// The thread's life: while it writes, the interface thread's snapshots each hold
// the values of one sentence (their time and altitude were made to agree);
// switched off and on, the same thread reads on with fresh counts; the exit
// cuts a silent read short instead of waiting out all 100 attempts.
TEST(ReaderThread, WholeSentencesOffAndOnAndExitDuringASilentRead) {
    GpsFix fix;  // outlives the reader, which joins its thread on destruction
    GpsReader reader(std::make_unique<FakeSerialPort>());
    auto* port = static_cast<FakeSerialPort*>(reader.port.get());
    port->emptyReadWaitMs = 50;  // a silent read takes 5 s
    std::string text;
    for (int i = 0; i < 300; ++i) {
        char body[96];
        std::snprintf(body, sizeof body, "GPGGA,10%02d%02d.00,4807.038,N,01131.000,E,1,08,0.9,%d.0,M,%d.0,M,,",
                      i / 60, i % 60, i, i);
        text += Sentence(body);
    }
    port->pushBytes(text);
    ASSERT_TRUE(SwitchTrackingOn(fix, reader, 2, 4));
    int mixed = 0;
    ASSERT_TRUE(WaitUntil([&] {
        const GpsFixData d = SnapshotGpsFix(fix);
        if (d.altitudeM != d.utcMinute * 60 + d.utcSecond || d.geoidSeparationM != d.altitudeM) ++mixed;
        return reader.tally.accepted == 300;
    }));
    EXPECT_EQ(mixed, 0);
    const auto thread = reader.thread.get_id();

    SwitchTrackingOff(fix);
    ASSERT_TRUE(WaitUntil([&] { return fix.readerStopped && !port->isOpen(); }));
    EXPECT_GE(fix.readCount, 300);
    ASSERT_TRUE(SwitchTrackingOn(fix, reader, 3, 5));
    EXPECT_LT(fix.readCount, 300);
    EXPECT_EQ(reader.thread.get_id(), thread);
    ASSERT_TRUE(WaitUntil([&] { return fix.openCount >= 1; }));
    EXPECT_EQ(port->lastPortName(), "COM3:");

    const int attempts = port->readAttempts;
    ASSERT_TRUE(WaitUntil([&] { return port->readAttempts > attempts; }));
    UpdateGpsFix(fix, [](GpsFixData& d) { d.fixMode = 3; });
    FinishesOrAbort([&] { StopReader(fix, reader); });
    EXPECT_LT(port->readAttempts - attempts, 100);
    EXPECT_EQ(SnapshotGpsFix(fix).fixMode, 3);  // a cut-short read is not the receiver's silence
    EXPECT_FALSE(port->isOpen());
}

TEST(LinuxSerialPort, MapsPortNamesOpensConfiguresAndTimesOut) {
    EXPECT_EQ(SerialPortNumber("COM10:"), 10);
    EXPECT_EQ(SerialPortNumber("COM11:"), 0);
    EXPECT_EQ(SerialPortNumber("COM1"), 0);  // no colon

    PseudoTerminal pty;
    ASSERT_FALSE(pty.slavePath.empty());
    SerialDeviceMap devices;
    devices.path[2] = pty.slavePath;
    devices.path[3] = "/nonexistent/ttyX";
    LinuxSerialPort port(devices, 20);
    for (const char* name : {"NONE", "COM1:", "COM3:"}) EXPECT_FALSE(port.open(name, 4800)) << name;
    EXPECT_FALSE(port.configure(4800));  // not open

    ASSERT_TRUE(port.open("COM2:", 4800));
    EXPECT_TRUE(port.configure(14400));  // no termios constant: set through termios2
    char byte = 0;
    EXPECT_FALSE(port.readByte(byte));  // nothing sent: one time-out
    ASSERT_TRUE(pty.write("$G"));
    ASSERT_TRUE(port.readByte(byte) && byte == '$');
    ASSERT_TRUE(port.readByte(byte) && byte == 'G');
}

// Switched on again, the same reader reads on: the reader thread's test.
TEST(GpsReaderOnPseudoTerminal, ReadsAReceiverAndGivesUpWhenItIsUnplugged) {
    PseudoTerminal pty;
    ASSERT_FALSE(pty.slavePath.empty());
    SerialDeviceMap devices;
    devices.path[1] = pty.slavePath;
    auto fix = std::make_unique<GpsFix>();
    GpsReader reader(std::make_unique<LinuxSerialPort>(devices));
    ASSERT_TRUE(SwitchTrackingOn(*fix, reader, 1, 3));
    ASSERT_TRUE(WaitUntil([&] { return fix->openCount >= 1; }));
    Close(pty.slave);  // from here on only the reader holds the slave side

    // A multi-constellation receiver reads to the file's fix; the ten sentences
    // of other types (GLL, TXT) have good checksums, so the port stays open.
    const std::string multi = readText(kMultiConstellationCapture);
    const std::string multiFix = ParsedReport(multi);
    ASSERT_TRUE(pty.write(multi));
    ASSERT_TRUE(WaitUntil([&] { return reader.tally.accepted + reader.tally.rejected == 60; }));
    EXPECT_EQ(reader.tally.accepted, 50);
    EXPECT_EQ(FormatGpsFixReport(SnapshotGpsFix(*fix)), multiFix);
    EXPECT_EQ(fix->openCount, 1);

    // Unplugged while tracking: the reader closes the dead port and tries to
    // reopen it until it gives up; the timer tick then reports.
    Close(pty.master);
    ASSERT_TRUE(WaitUntil([&] { return fix->openCount >= kReaderGiveUpOpens && fix->readerStopped; }));
    EXPECT_EQ(SnapshotGpsFix(*fix).fixQuality, 0);  // the silence cleared it
    EXPECT_TRUE(TakeReaderGiveUp(*fix));
    FinishesOrAbort([&] { StopReader(*fix, reader); });
}

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
    const std::string wanted = ParsedReport(readText(kMultiConstellationCapture));
    auto fix = std::make_unique<GpsFix>();
    GpsReader reader(std::move(port));
    ASSERT_TRUE(SwitchTrackingOn(*fix, reader, 11, 3));
    EXPECT_TRUE(WaitUntil([&] { return FormatGpsFixReport(SnapshotGpsFix(*fix)) == wanted; }))
        << FormatGpsFixReport(SnapshotGpsFix(*fix));
    EXPECT_EQ(fix->openCount, 1);  // gpsd's JSON reports never look like a broken line
    FinishesOrAbort([&] { StopReader(*fix, reader); });
}
