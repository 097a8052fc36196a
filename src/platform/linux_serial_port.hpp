#pragma once

#include <cstdint>
#include <string>

#include "platform/serial_port.hpp"

namespace vantrek {

constexpr int kSerialPortNumbers = 10;  // COM1..COM10

// One byte may take 20 ms on the line plus a 500 ms allowance for a silent receiver.
constexpr int kSerialReadTimeoutMs = 520;

// The Linux device behind each port name: path[n] for "COMn:"; path[0] is
// "NONE" and stays empty.
struct SerialDeviceMap {
    std::string path[kSerialPortNumbers + 1];
    // Where the port "gpsd" connects: the gpsd daemon, which owns a receiver
    // so that no other program can open its device.
    std::string gpsdHost = "127.0.0.1";
    uint16_t gpsdPort = 2947;
};

// COM1..COM4 are the built-in ports /dev/ttyS0..3, COM5..COM7 USB serial
// adapters /dev/ttyUSB0..2, COM8..COM10 USB modem-class receivers /dev/ttyACM0..2.
SerialDeviceMap DefaultSerialDevices();

// The number n of a port name "COMn:" (1..10), 0 for any other text.
int SerialPortNumber(const char* portName);

// A serial port on a Linux terminal device through termios. Reads wait with
// poll() for at most the read time-out; a device that has gone away (a USB
// receiver unplugged, a pseudo-terminal closed) reads as silence.
// The port "gpsd" is a TCP connection to gpsd that asks for raw NMEA; its
// JSON reports are dropped, so the reader sees the receiver's lines only. A
// refused connection is a failed open.
class LinuxSerialPort final : public SerialPort {
public:
    explicit LinuxSerialPort(SerialDeviceMap devices = DefaultSerialDevices(),
                             int readTimeoutMs = kSerialReadTimeoutMs);
    ~LinuxSerialPort() override;
    LinuxSerialPort(const LinuxSerialPort&) = delete;
    LinuxSerialPort& operator=(const LinuxSerialPort&) = delete;

    bool open(const char* portName, uint32_t baudRate) override;
    bool configure(uint32_t baudRate) override;
    void close() override;
    bool isOpen() const override { return fd_ >= 0; }
    bool readByte(char& byte) override;

private:
    SerialDeviceMap devices_;
    int readTimeoutMs_;
    bool openGpsd();
    bool nextRawByte(char& byte);

    int fd_ = -1;
    bool gpsd_ = false;          // fd_ is a connection to gpsd
    bool atLineStart_ = true;    // gpsd: the next byte starts a line
    bool skippingLine_ = false;  // gpsd: inside a JSON report
    char buffer_[256];  // bytes already read from the device, handed out one by one
    int buffered_ = 0;
    int next_ = 0;
};

// Sets a line speed that has no termios constant (14400, 56000) through the
// Linux termios2 interface; false when the device refuses it.
bool SetCustomLineSpeed(int fd, uint32_t baudRate);

}  // namespace vantrek
