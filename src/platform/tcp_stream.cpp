#include "platform/tcp_stream.hpp"

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <string>

namespace vantrek {

namespace {

using Clock = std::chrono::steady_clock;

StreamResult ResultOfErrno(int error) {
    switch (error) {
        case ECONNREFUSED: return StreamResult::Refused;
        case ETIMEDOUT: return StreamResult::TimedOut;
        case ECONNRESET:
        case EPIPE:
        case ENOTCONN: return StreamResult::Closed;
        default: return StreamResult::Failed;
    }
}

// The addresses of host:port; a numeric address needs no look-up.
addrinfo* Resolve(const std::string& host, uint16_t port) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICHOST | AI_NUMERICSERV;
    const std::string service = std::to_string(port);
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), service.c_str(), &hints, &found) == 0) return found;
    hints.ai_flags = AI_NUMERICSERV;
    if (getaddrinfo(host.c_str(), service.c_str(), &hints, &found) == 0) return found;
    return nullptr;
}

}  // namespace

TcpStream::TcpStream(int timeoutMs, const std::atomic<bool>* cancel)
    : timeoutMs_(timeoutMs > 0 ? timeoutMs : 0), cancel_(cancel) {}

TcpStream::~TcpStream() { close(); }

StreamResult TcpStream::wait(short events) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs_);
    for (;;) {
        if (cancel_ != nullptr && cancel_->load()) return StreamResult::Cancelled;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) return StreamResult::TimedOut;
        pollfd watch{};
        watch.fd = fd_;
        watch.events = events;
        const int ready = poll(&watch, 1, static_cast<int>(left < kStreamWaitSliceMs ? left : kStreamWaitSliceMs));
        if (ready > 0) return StreamResult::Ok;
        if (ready < 0 && errno != EINTR) return StreamResult::Failed;
    }
}

StreamResult TcpStream::connect(const std::string& host, uint16_t port) {
    close();
    addrinfo* addresses = Resolve(host, port);
    if (addresses == nullptr) return StreamResult::UnknownHost;
    StreamResult result = StreamResult::Failed;
    for (addrinfo* a = addresses; a != nullptr; a = a->ai_next) {
        fd_ = ::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol);
        if (fd_ < 0) continue;
        if (::connect(fd_, a->ai_addr, a->ai_addrlen) == 0) {
            result = StreamResult::Ok;
        } else if (errno == EINPROGRESS) {
            result = wait(POLLOUT);
            int error = 0;
            socklen_t size = sizeof error;
            if (result == StreamResult::Ok &&
                (getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &size) != 0 || error != 0))
                result = ResultOfErrno(error);
        } else {
            result = ResultOfErrno(errno);
        }
        if (result == StreamResult::Ok) break;
        ::close(fd_);
        fd_ = -1;
        if (result == StreamResult::Cancelled) break;
    }
    freeaddrinfo(addresses);
    if (result == StreamResult::Ok) {
        // Commands are single short lines that want their answer at once.
        int on = 1;
        setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    }
    return result;
}

StreamResult TcpStream::write(const char* bytes, std::size_t count) {
    if (fd_ < 0) return StreamResult::Closed;
    std::size_t done = 0;
    while (done < count) {
        const ssize_t sent = ::send(fd_, bytes + done, count - done, MSG_NOSIGNAL);
        if (sent > 0) {
            done += static_cast<std::size_t>(sent);
            continue;
        }
        if (sent < 0 && errno == EINTR) continue;
        if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            const StreamResult ready = wait(POLLOUT);
            if (ready != StreamResult::Ok) return ready;
            continue;
        }
        return ResultOfErrno(errno);
    }
    return StreamResult::Ok;
}

StreamResult TcpStream::read(char* buffer, std::size_t capacity, std::size_t& received) {
    received = 0;
    if (fd_ < 0) return StreamResult::Closed;
    if (capacity == 0) return StreamResult::Ok;
    for (;;) {
        const ssize_t count = ::recv(fd_, buffer, capacity, 0);
        if (count > 0) {
            received = static_cast<std::size_t>(count);
            return StreamResult::Ok;
        }
        if (count == 0) return StreamResult::Closed;
        if (errno == EINTR) continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK) return ResultOfErrno(errno);
        const StreamResult ready = wait(POLLIN);
        if (ready != StreamResult::Ok) return ready;
    }
}

void TcpStream::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

}  // namespace vantrek
