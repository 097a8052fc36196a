#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "gps/gps_reader.hpp"
#include "gps_test_support.hpp"
#include "platform/fake_serial_port.hpp"

using namespace vantrek;
using vantrek::testing::FinishesOrAbort;
using vantrek::testing::Sentence;
using vantrek::testing::WaitUntil;

namespace {

const std::string kGga = Sentence("GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");

// A fix tracking COM1: at 4800 bit/s, turned by hand (no thread).
struct ManualReader {
    ManualReader() {
        fix.portIndex = 1;
        fix.baudRate = 4800;
        fix.trackingEnabled = true;
    }
    void turns(int count) {
        for (int i = 0; i < count; ++i) ReaderTurn(fix, port, tally);
    }
    GpsFix fix;
    FakeSerialPort port;
    ReaderTally tally;
};

struct ThreadedReader {
    ThreadedReader() : reader(std::make_unique<FakeSerialPort>()) {
        port = static_cast<FakeSerialPort*>(reader.port.get());
    }
    GpsFix fix;  // outlives the reader, which joins its thread on destruction
    GpsReader reader;
    FakeSerialPort* port;
};

}  // namespace

TEST(ReaderTurn, WellFormedSentencesNotHandledKeepThePortOpen) {
    ManualReader r;
    r.port.pushBytes(Sentence("GPGLL,4916.45,N,12311.12,W,225444,A") + Sentence("GPZDA,201530.00,04,07,2002,00,00") +
                     Sentence("GPTXT,01,01,02,ANTSTATUS=OK") + Sentence("GN" + kGga.substr(3, kGga.find('*') - 3)) +
                     Sentence("PSRF150,1") + kGga);
    r.turns(6);
    EXPECT_EQ(r.fix.openCount, 1);
    EXPECT_EQ(r.port.closeCalls, 0);
    EXPECT_EQ(r.tally.rejected, 5);
    EXPECT_EQ(r.tally.accepted, 1);
    EXPECT_EQ(r.port.lastPortName(), "COM1:");
}

TEST(ReaderTurn, CorruptLinesAndSilenceReopenThePort) {
    ManualReader r;
    std::string badDigit = kGga;
    badDigit[badDigit.find('*') + 1] = '0';
    const std::string noChecksum = kGga.substr(0, kGga.find('*')) + "\r\n";
    r.port.pushBytes(badDigit + noChecksum + Sentence("GPGGA," + std::string(120, '1')) + kGga);
    r.turns(4);
    EXPECT_EQ(r.fix.openCount, 4);
    EXPECT_EQ(r.port.closeCalls, 3);
    EXPECT_TRUE(r.port.isOpen());

    UpdateGpsFix(r.fix, [](GpsFixData& d) { d.fixMode = 3; });
    r.turns(1);  // silence clears the fix state and closes the port
    EXPECT_FALSE(r.port.isOpen());
    EXPECT_EQ(SnapshotGpsFix(r.fix).fixQuality, 0);
    EXPECT_EQ(SnapshotGpsFix(r.fix).fixMode, 0);
    EXPECT_EQ(r.fix.readCount, 5);
}

TEST(ReaderTurn, GivesUpAtExactlyAThousandOpens) {
    ManualReader r;
    r.port.refuseOpen = true;
    r.turns(kReaderGiveUpOpens + 50);
    EXPECT_EQ(r.port.openCalls, kReaderGiveUpOpens);  // no opens past the limit
    EXPECT_TRUE(r.fix.readerStopped);
    EXPECT_TRUE(TakeReaderGiveUp(r.fix));
    EXPECT_FALSE(r.fix.trackingEnabled);
    EXPECT_FALSE(TakeReaderGiveUp(r.fix));  // reported once

    // A port that opens but delivers only garbage (a wrong line speed) ends the same way.
    ManualReader noisy;
    std::string noise;
    for (int i = 0; i < kReaderGiveUpOpens; ++i) noise += "$G\xf0\x13\x7f~,\x99\r\n";
    noisy.port.pushBytes(noise);
    noisy.turns(kReaderGiveUpOpens + 5);
    EXPECT_EQ(noisy.fix.openCount, kReaderGiveUpOpens);
    EXPECT_FALSE(noisy.port.isOpen());
    EXPECT_TRUE(TakeReaderGiveUp(noisy.fix));
}

TEST(ReaderTurn, SwitchingOffClosesThePortAndTheExitEndsTheTurns) {
    ManualReader r;
    r.port.pushBytes(kGga + kGga);
    ASSERT_TRUE(ReaderTurn(r.fix, r.port, r.tally));
    UpdateGpsFix(r.fix, [](GpsFixData& d) { d.fixMode = 2; });
    SwitchTrackingOff(r.fix);
    EXPECT_EQ(r.fix.openCount, 0);
    EXPECT_EQ(SnapshotGpsFix(r.fix).fixMode, 0);
    ASSERT_TRUE(ReaderTurn(r.fix, r.port, r.tally));
    EXPECT_FALSE(r.port.isOpen());
    EXPECT_TRUE(r.fix.readerStopped);
    EXPECT_EQ(r.fix.readCount, 1);  // nothing read while off
    r.fix.exitRequested = true;
    EXPECT_FALSE(ReaderTurn(r.fix, r.port, r.tally));
}

TEST(ReaderThread, PortNoneGivesUpAndTheProgramStillEnds) {
    ThreadedReader r;
    ASSERT_TRUE(SwitchTrackingOn(r.fix, r.reader, 0, 3));
    ASSERT_TRUE(WaitUntil([&] { return r.fix.openCount >= kReaderGiveUpOpens && r.fix.readerStopped; }));
    EXPECT_EQ(r.fix.openCount, kReaderGiveUpOpens);
    EXPECT_EQ(r.port->lastPortName(), "NONE");
    EXPECT_TRUE(TakeReaderGiveUp(r.fix));
    FinishesOrAbort([&] { StopReader(r.fix, r.reader); });  // tracking off, thread idle
    EXPECT_FALSE(r.reader.thread.joinable());
}

TEST(ReaderThread, SwitchingOffAndOnReusesTheThreadAndResetsTheCounts) {
    ThreadedReader r;
    r.port->emptyReadWaitMs = 5;  // a silent read takes 0.5 s
    std::string sentences;
    for (int i = 0; i < 30; ++i) sentences += kGga;
    r.port->pushBytes(sentences);
    ASSERT_TRUE(SwitchTrackingOn(r.fix, r.reader, 2, 4));
    ASSERT_TRUE(WaitUntil([&] { return r.reader.tally.accepted == 30; }));
    const auto thread = r.reader.thread.get_id();

    SwitchTrackingOff(r.fix);
    ASSERT_TRUE(WaitUntil([&] { return r.fix.readerStopped && !r.port->isOpen(); }));
    EXPECT_GE(r.fix.readCount, 30);
    ASSERT_TRUE(SwitchTrackingOn(r.fix, r.reader, 3, 5));
    EXPECT_LT(r.fix.readCount, 30);
    EXPECT_EQ(r.reader.thread.get_id(), thread);
    ASSERT_TRUE(WaitUntil([&] { return r.fix.openCount >= 1; }));
    EXPECT_EQ(r.port->lastPortName(), "COM3:");
    EXPECT_EQ(r.port->lastBaudRate(), 14400u);
}

TEST(ReaderThread, ExitDuringASilentReadDoesNotWaitOutAllAttempts) {
    ThreadedReader r;
    r.port->emptyReadWaitMs = 50;  // all 100 attempts would take 5 s
    ASSERT_TRUE(SwitchTrackingOn(r.fix, r.reader, 1, 3));
    ASSERT_TRUE(WaitUntil([&] { return r.port->readAttempts >= 1; }));
    UpdateGpsFix(r.fix, [](GpsFixData& d) { d.fixMode = 3; });
    FinishesOrAbort([&] { StopReader(r.fix, r.reader); });
    EXPECT_LT(r.port->readAttempts, 100);
    EXPECT_EQ(SnapshotGpsFix(r.fix).fixMode, 3);  // a cut-short read is not the receiver's silence
    EXPECT_FALSE(r.port->isOpen());
}

// The interface thread reads while the reader writes: every snapshot holds the
// values of one sentence (its time and altitude were made to agree).
TEST(ReaderThread, SnapshotsNeverMixTwoSentences) {
    ThreadedReader r;
    constexpr int kSentences = 300;
    std::string text;
    for (int i = 0; i < kSentences; ++i) {
        char body[96];
        std::snprintf(body, sizeof body, "GPGGA,10%02d%02d.00,4807.038,N,01131.000,E,1,08,0.9,%d.0,M,%d.0,M,,",
                      i / 60, i % 60, i, i);
        text += Sentence(body);
    }
    r.port->pushBytes(text);
    ASSERT_TRUE(SwitchTrackingOn(r.fix, r.reader, 1, 3));
    int mixed = 0;
    EXPECT_TRUE(WaitUntil([&] {
        const GpsFixData d = SnapshotGpsFix(r.fix);
        const int index = d.utcMinute * 60 + d.utcSecond;
        if (d.altitudeM != index || d.geoidSeparationM != index) ++mixed;
        return r.reader.tally.accepted == kSentences;
    }));
    EXPECT_EQ(mixed, 0);
}
