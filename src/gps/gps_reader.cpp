#include "gps/gps_reader.hpp"

#include <chrono>
#include <system_error>

#include "gps/nmea_fields.hpp"
#include "gps/read_sentence.hpp"
#include "gps/serial_tables.hpp"
#include "platform/thread_priority.hpp"

namespace vantrek {

namespace {

constexpr auto kIdlePause = std::chrono::milliseconds(20);

// The reader's view of its port: bytes pass through until the interface
// switches tracking off or asks for the exit; from then on every read fails at
// once, so a silent receiver cannot hold either up for 100 read time-outs.
class ReaderByteSource final : public ByteSource {
public:
    ReaderByteSource(ByteSource& port, const GpsFix& fix) : port_(port), fix_(fix) {}
    bool readByte(char& byte) override {
        if (fix_.exitRequested || !fix_.trackingEnabled) {
            interrupted_ = true;
            return false;
        }
        return port_.readByte(byte);
    }
    // True when the sentence was cut short by a stop rather than by the receiver.
    bool interrupted() const { return interrupted_; }

private:
    ByteSource& port_;
    const GpsFix& fix_;
    bool interrupted_ = false;
};

void ClearFixState(GpsFix& fix) {
    UpdateGpsFix(fix, [](GpsFixData& data) { data.fixMode = 0; });
}

}  // namespace

GpsReader::~GpsReader() {
    if (thread.joinable() && fix != nullptr) StopReader(*fix, *this);
}

bool StartReader(GpsFix& fix, GpsReader& reader) {
    fix.openCount = 0;
    fix.readCount = 0;
    ClearFixState(fix);
    fix.readerStopped = false;
    reader.tally.accepted = 0;
    reader.tally.rejected = 0;
    fix.trackingEnabled = true;
    if (reader.thread.joinable()) return true;
    if (!reader.port) return false;
    try {
        reader.fix = &fix;
        reader.thread = std::thread(ReaderThread, std::ref(fix), std::ref(*reader.port),
                                    std::ref(reader.tally));
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

bool ReaderTurn(GpsFix& fix, SerialPort& port, ReaderTally& tally) {
    fix.readerStopped = false;
    // No more opens once the limit is reached; the interface takes tracking off.
    if (!port.isOpen() && fix.trackingEnabled && fix.openCount < kReaderGiveUpOpens) {
        port.open(GpsPortName(fix.portIndex), fix.baudRate);
        ++fix.openCount;
    }
    if (port.isOpen() && fix.trackingEnabled) {
        ++fix.readCount;
        ReaderByteSource source(port, fix);
        SentenceLine line;
        const int result = ReadSentence(source, fix, line);
        if (source.interrupted()) {
            // Switched off or closing: not the receiver's silence; the port is closed below.
        } else if (result > 0) {
            ++tally.accepted;
        } else if (result == kSentenceSilent) {
            UpdateGpsFix(fix, [](GpsFixData& data) {
                data.fixQuality = 0;
                data.fixMode = 0;
            });
            port.close();
        } else {
            ++tally.rejected;
            // A sentence with a good checksum that is merely of a type or talker
            // not handled here (GLL, ZDA, TXT, ...) proves the line works: keep
            // the port. A corrupt or cut line may mean a wrong speed: reopen.
            if (!VerifyChecksum(line.text, line.length)) port.close();
        }
    }
    if (!fix.trackingEnabled || fix.openCount >= kReaderGiveUpOpens) {
        port.close();
        fix.readerStopped = true;
    }
    if (fix.exitRequested) {
        port.close();
        fix.readerStopped = true;
        return false;
    }
    return true;
}

void ReaderThread(GpsFix& fix, SerialPort& port, ReaderTally& tally) {
    LowerCurrentThreadPriority();
    while (ReaderTurn(fix, port, tally)) {
        if (fix.readerStopped) std::this_thread::sleep_for(kIdlePause);
    }
}

void StopReader(GpsFix& fix, GpsReader& reader) {
    fix.exitRequested = true;
    if (reader.thread.joinable()) reader.thread.join();
}

bool SwitchTrackingOn(GpsFix& fix, GpsReader& reader, uint32_t gpsPort, uint32_t gpsSpeed) {
    fix.baudRate = GpsBaudRate(gpsSpeed);
    fix.portIndex = gpsPort < kGpsPortCount ? gpsPort : 0;
    return StartReader(fix, reader);
}

void SwitchTrackingOff(GpsFix& fix) {
    fix.trackingEnabled = false;
    ClearFixState(fix);
    fix.openCount = 0;
}

bool TakeReaderGiveUp(GpsFix& fix) {
    if (fix.openCount < kReaderGiveUpOpens || !fix.trackingEnabled) return false;
    fix.trackingEnabled = false;
    return true;
}

}  // namespace vantrek
