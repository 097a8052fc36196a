#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "gps/gps_reader.hpp"
#include "gps_test_support.hpp"
#include "platform/fake_serial_port.hpp"

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
    EXPECT_EQ(port->lastBaudRate(), 14400u);

    const int attempts = port->readAttempts;
    ASSERT_TRUE(WaitUntil([&] { return port->readAttempts > attempts; }));
    UpdateGpsFix(fix, [](GpsFixData& d) { d.fixMode = 3; });
    FinishesOrAbort([&] { StopReader(fix, reader); });
    EXPECT_LT(port->readAttempts - attempts, 100);
    EXPECT_EQ(SnapshotGpsFix(fix).fixMode, 3);  // a cut-short read is not the receiver's silence
    EXPECT_FALSE(port->isOpen());
}
