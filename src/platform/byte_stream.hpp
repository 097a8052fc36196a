#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vantrek {

// How a stream operation ended.
enum class StreamResult : uint8_t {
    Ok,
    Refused,      // nobody listens at that address
    UnknownHost,  // the host name does not resolve
    TimedOut,     // nothing within the stream's time-out
    Closed,       // the other end closed the connection
    Failed,       // any other system error
    Cancelled,    // the owner asked the stream to give up
};

// A two-way byte stream to a service on the network (hamlib's daemons). Every
// wait is bounded by the stream's time-out, so a silent or slow service never
// holds its caller for longer.
class ByteStream {
public:
    virtual ~ByteStream() = default;

    // Connects to host:port, closing any previous connection first.
    virtual StreamResult connect(const std::string& host, uint16_t port) = 0;

    // Writes all `count` bytes.
    virtual StreamResult write(const char* bytes, std::size_t count) = 0;

    // Reads what has arrived, at least one byte and at most `capacity`, into
    // `buffer`; `received` is the count.
    virtual StreamResult read(char* buffer, std::size_t capacity, std::size_t& received) = 0;

    virtual void close() = 0;
    virtual bool isOpen() const = 0;
};

}  // namespace vantrek
