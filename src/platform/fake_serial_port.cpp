#include "platform/fake_serial_port.hpp"

#include <chrono>
#include <cstring>
#include <thread>

namespace vantrek {

void FakeSerialPort::pushBytes(const std::string& bytes) {
    std::lock_guard<std::mutex> guard(mutex_);
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
}

std::size_t FakeSerialPort::pendingBytes() const {
    std::lock_guard<std::mutex> guard(mutex_);
    return bytes_.size();
}

bool FakeSerialPort::open(const char* portName, uint32_t baudRate) {
    ++openCalls;
    std::lock_guard<std::mutex> guard(mutex_);
    portName_ = portName != nullptr ? portName : "";
    baudRate_ = baudRate;
    if (refuseOpen || portName == nullptr || std::strcmp(portName, "NONE") == 0) return false;
    open_ = true;
    return true;
}

bool FakeSerialPort::configure(uint32_t baudRate) {
    ++configureCalls;
    std::lock_guard<std::mutex> guard(mutex_);
    baudRate_ = baudRate;
    return open_ && !refuseConfigure;
}

void FakeSerialPort::close() {
    std::lock_guard<std::mutex> guard(mutex_);
    if (open_) ++closeCalls;
    open_ = false;
}

bool FakeSerialPort::isOpen() const {
    std::lock_guard<std::mutex> guard(mutex_);
    return open_;
}

bool FakeSerialPort::readByte(char& byte) {
    ++readAttempts;
    {
        std::lock_guard<std::mutex> guard(mutex_);
        if (open_ && !bytes_.empty()) {
            byte = bytes_.front();
            bytes_.pop_front();
            return true;
        }
    }
    const uint32_t wait = emptyReadWaitMs;
    if (wait > 0) std::this_thread::sleep_for(std::chrono::milliseconds(wait));
    return false;
}

std::string FakeSerialPort::lastPortName() const {
    std::lock_guard<std::mutex> guard(mutex_);
    return portName_;
}

uint32_t FakeSerialPort::lastBaudRate() const {
    std::lock_guard<std::mutex> guard(mutex_);
    return baudRate_;
}

}  // namespace vantrek
