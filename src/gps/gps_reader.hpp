#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>

#include "gps/gps_fix.hpp"
#include "platform/serial_port.hpp"

namespace vantrek {

// After this many opens since tracking was started the reader stops opening
// and the interface switches tracking off with kCantConnectText.
constexpr int32_t kReaderGiveUpOpens = 1000;
constexpr const char* kCantConnectText = "I can't conect to the COM port!";

// Sentences the reader has accepted and rejected since tracking was last started.
struct ReaderTally {
    std::atomic<int32_t> accepted{0};
    std::atomic<int32_t> rejected{0};
};

// The reader thread and the port it owns. Made once per program; the thread
// is created the first time tracking is switched on and kept until the end.
// The fix passed to StartReader must outlive this record.
struct GpsReader {
    explicit GpsReader(std::unique_ptr<SerialPort> serialPort) : port(std::move(serialPort)) {}
    ~GpsReader();  // asks a running thread to end and waits for it
    GpsReader(const GpsReader&) = delete;
    GpsReader& operator=(const GpsReader&) = delete;

    std::unique_ptr<SerialPort> port;  // used by the reader thread alone once it runs
    std::thread thread;
    ReaderTally tally;
    GpsFix* fix = nullptr;  // the record the thread serves
};

// Starts tracking with the fix's portIndex and baudRate: clears the counts and
// the fix mode, sets trackingEnabled and creates the thread if there is none
// yet (an existing one picks the port up at its next open). False when the
// thread could not be created; tracking then stays flagged on with nobody reading.
bool StartReader(GpsFix& fix, GpsReader& reader);

// One turn of the reader: open the port if needed, read one sentence, close
// the port on silence or a corrupt line, note a stop. False when the thread
// is to end (exit requested; the port is closed by then).
bool ReaderTurn(GpsFix& fix, SerialPort& port, ReaderTally& tally);

// The thread procedure: turns until the exit request, pausing briefly while
// tracking is off or has given up.
void ReaderThread(GpsFix& fix, SerialPort& port, ReaderTally& tally);

// Program end: requests the exit and waits for a started thread to end. The
// wait is bounded by one read time-out of the port: the reader stops reading
// as soon as the request is seen.
void StopReader(GpsFix& fix, GpsReader& reader);

// The interface's GPS command and the dialog's OK, switching on: port and speed
// from the GPSPort and GPSSpeed setting indices, then StartReader.
bool SwitchTrackingOn(GpsFix& fix, GpsReader& reader, uint32_t gpsPort, uint32_t gpsSpeed);

// Switching off: the reader closes the port on its next turn and idles.
void SwitchTrackingOff(GpsFix& fix);

// The timer tick's check: when tracking is on and the reader has used up its
// opens, switches tracking off and returns true (the caller shows kCantConnectText).
bool TakeReaderGiveUp(GpsFix& fix);

}  // namespace vantrek
