#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>

#include "platform/serial_port.hpp"

namespace vantrek {

// A serial port for tests: delivers the bytes pushed into it, one per read,
// while it is open. A read with nothing to deliver is a time-out. It may be
// used by the reader thread while a test pushes bytes and reads the counters.
class FakeSerialPort final : public SerialPort {
public:
    void pushBytes(const std::string& bytes);
    std::size_t pendingBytes() const;

    bool open(const char* portName, uint32_t baudRate) override;
    bool configure(uint32_t baudRate) override;
    void close() override;
    bool isOpen() const override;
    bool readByte(char& byte) override;

    std::string lastPortName() const;
    uint32_t lastBaudRate() const;

    // Behaviour.
    std::atomic<bool> refuseOpen{false};       // every open fails ("NONE" always does)
    std::atomic<bool> refuseConfigure{false};  // configure() reports a refused setting
    std::atomic<uint32_t> emptyReadWaitMs{0};  // how long a read with nothing to deliver waits

    // What happened.
    std::atomic<int> openCalls{0};
    std::atomic<int> closeCalls{0};
    std::atomic<int> configureCalls{0};
    std::atomic<int> readAttempts{0};

private:
    mutable std::mutex mutex_;
    std::deque<char> bytes_;
    bool open_ = false;
    std::string portName_;
    uint32_t baudRate_ = 0;
};

}  // namespace vantrek
