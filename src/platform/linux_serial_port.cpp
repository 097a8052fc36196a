#include "platform/linux_serial_port.hpp"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace vantrek {

namespace {

// The termios constant of a standard line speed, B0 for the others.
speed_t StandardSpeed(uint32_t baudRate) {
    switch (baudRate) {
        case 600: return B600;
        case 1200: return B1200;
        case 2400: return B2400;
        case 4800: return B4800;
        case 9600: return B9600;
        case 19200: return B19200;
        case 38400: return B38400;
        case 57600: return B57600;
        case 115200: return B115200;
        case 230400: return B230400;
        default: return B0;
    }
}

// Raw 8-bit bytes, 8N1, no parity check, no flow control, no echo, no line
// editing; the modem lines are ignored for reading and DTR and RTS raised.
bool ConfigureLine(int fd, uint32_t baudRate) {
    termios line{};
    if (tcgetattr(fd, &line) != 0) return false;
    line.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR |
                                           ICRNL | IXON | IXOFF | IXANY | INPCK);
    line.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    line.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    line.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    line.c_cflag |= CS8 | CREAD | CLOCAL;
    line.c_cc[VMIN] = 0;  // reads never block: readByte waits in poll()
    line.c_cc[VTIME] = 0;
    const speed_t speed = StandardSpeed(baudRate);
    if (speed != B0) {
        cfsetispeed(&line, speed);
        cfsetospeed(&line, speed);
    }
    if (tcsetattr(fd, TCSANOW, &line) != 0) return false;
    if (speed == B0 && !SetCustomLineSpeed(fd, baudRate)) return false;
    // Pseudo-terminals have no modem lines and refuse this; that is harmless.
    int modemLines = TIOCM_DTR | TIOCM_RTS;
    ioctl(fd, TIOCMBIS, &modemLines);
    return true;
}

}  // namespace

SerialDeviceMap DefaultSerialDevices() {
    SerialDeviceMap map;
    for (int n = 1; n <= 4; ++n) map.path[n] = "/dev/ttyS" + std::to_string(n - 1);
    for (int n = 5; n <= 7; ++n) map.path[n] = "/dev/ttyUSB" + std::to_string(n - 5);
    for (int n = 8; n <= 10; ++n) map.path[n] = "/dev/ttyACM" + std::to_string(n - 8);
    return map;
}

int SerialPortNumber(const char* portName) {
    if (portName == nullptr || std::strncmp(portName, "COM", 3) != 0) return 0;
    const char* digits = portName + 3;
    int number = 0;
    int count = 0;
    while (count < 2 && digits[count] >= '0' && digits[count] <= '9') {
        number = number * 10 + (digits[count] - '0');
        ++count;
    }
    if (count == 0 || std::strcmp(digits + count, ":") != 0) return 0;
    return number >= 1 && number <= kSerialPortNumbers ? number : 0;
}

LinuxSerialPort::LinuxSerialPort(SerialDeviceMap devices, int readTimeoutMs)
    : devices_(std::move(devices)), readTimeoutMs_(readTimeoutMs > 0 ? readTimeoutMs : 0) {}

LinuxSerialPort::~LinuxSerialPort() { close(); }

bool LinuxSerialPort::open(const char* portName, uint32_t baudRate) {
    close();
    if (portName != nullptr && std::strcmp(portName, "gpsd") == 0) return openGpsd();
    const int number = SerialPortNumber(portName);
    if (number == 0 || devices_.path[number].empty()) return false;
    // Non-blocking, so that a device waiting for its carrier cannot hold up the open.
    fd_ = ::open(devices_.path[number].c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) return false;
    ioctl(fd_, TIOCEXCL);  // not shared with other programs
    ConfigureLine(fd_, baudRate);  // a refused setting leaves the port open, as the reader expects
    return true;
}

// Connects within the read time-out and asks for the receiver's sentences as
// they come (gpsd's WATCH command with raw NMEA).
bool LinuxSerialPort::openGpsd() {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(devices_.gpsdPort);
    if (inet_pton(AF_INET, devices_.gpsdHost.c_str(), &address.sin_addr) != 1) return false;
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd_ < 0) return false;
    bool connected = ::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    if (!connected && errno == EINPROGRESS) {
        pollfd wait{};
        wait.fd = fd_;
        wait.events = POLLOUT;
        int error = 0;
        socklen_t size = sizeof error;
        connected = poll(&wait, 1, readTimeoutMs_) == 1 &&
                    getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
    }
    static const char kWatch[] = "?WATCH={\"enable\":true,\"nmea\":true};\n";
    if (!connected || ::send(fd_, kWatch, sizeof kWatch - 1, MSG_NOSIGNAL) != sizeof kWatch - 1) {
        close();
        return false;
    }
    gpsd_ = true;
    return true;
}

bool LinuxSerialPort::configure(uint32_t baudRate) {
    if (gpsd_) return true;  // gpsd sets the receiver's line itself
    return fd_ >= 0 && ConfigureLine(fd_, baudRate);
}

void LinuxSerialPort::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    buffered_ = 0;
    next_ = 0;
    gpsd_ = false;
    atLineStart_ = true;
    skippingLine_ = false;
}

bool LinuxSerialPort::readByte(char& byte) {
    if (!gpsd_) return nextRawByte(byte);
    // gpsd's own reports are JSON lines starting with '{'.
    while (nextRawByte(byte)) {
        const bool lineStart = atLineStart_;
        atLineStart_ = byte == '\n';
        if (skippingLine_) {
            skippingLine_ = byte != '\n';
            continue;
        }
        if (lineStart && byte == '{') {
            skippingLine_ = true;
            continue;
        }
        return true;
    }
    return false;
}

bool LinuxSerialPort::nextRawByte(char& byte) {
    if (fd_ < 0) return false;
    if (next_ < buffered_) {
        byte = buffer_[next_++];
        return true;
    }
    pollfd wait{};
    wait.fd = fd_;
    wait.events = POLLIN;
    if (poll(&wait, 1, readTimeoutMs_) <= 0) return false;  // time-out or interrupted
    const ssize_t count = ::read(fd_, buffer_, sizeof buffer_);
    if (count <= 0) return false;  // hang-up or error: no byte
    buffered_ = static_cast<int>(count);
    next_ = 1;
    byte = buffer_[0];
    return true;
}

}  // namespace vantrek
