#pragma once

#include <cstdint>

#include "platform/byte_source.hpp"

namespace vantrek {

// A serial port named as in the GPS port table ("COM1:".."COM10:"; "NONE"
// never opens). Reads wait at most the port's read time-out for each byte.
class SerialPort : public ByteSource {
public:
    // Opens the port for reading and writing, not shared with other programs,
    // and sets 8 data bits, no parity, one stop bit at `baudRate` bit/s with
    // the reader's time-outs. False when the port cannot be opened; a line
    // setting the device refuses does not make the open fail.
    virtual bool open(const char* portName, uint32_t baudRate) = 0;

    // Applies the full line settings again (8N1, raw bytes, no flow control,
    // DTR and RTS on) and reports whether the device accepted them.
    virtual bool configure(uint32_t baudRate) = 0;

    virtual void close() = 0;
    virtual bool isOpen() const = 0;
};

}  // namespace vantrek
