#pragma once

#include <atomic>

#include "platform/byte_stream.hpp"

namespace vantrek {

// Waits inside a stream are cut into slices of this length, so that a cancel
// request is seen within it (ms).
constexpr int kStreamWaitSliceMs = 50;

// A TCP connection through plain POSIX sockets. Connecting, writing and
// reading each wait at most `timeoutMs`; when `cancel` is given and becomes
// true, a wait ends within kStreamWaitSliceMs with StreamResult::Cancelled.
// A numeric address connects at once; a host name is looked up first (that
// look-up is the system's and cannot be cut short).
class TcpStream final : public ByteStream {
public:
    explicit TcpStream(int timeoutMs, const std::atomic<bool>* cancel = nullptr);
    ~TcpStream() override;
    TcpStream(const TcpStream&) = delete;
    TcpStream& operator=(const TcpStream&) = delete;

    StreamResult connect(const std::string& host, uint16_t port) override;
    StreamResult write(const char* bytes, std::size_t count) override;
    StreamResult read(char* buffer, std::size_t capacity, std::size_t& received) override;
    void close() override;
    bool isOpen() const override { return fd_ >= 0; }

private:
    // Waits for `events` on the socket within the time-out.
    StreamResult wait(short events);

    int timeoutMs_;
    const std::atomic<bool>* cancel_;
    int fd_ = -1;
};

}  // namespace vantrek
