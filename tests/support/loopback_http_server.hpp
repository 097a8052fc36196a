#pragma once

// A small HTTP/1.1 server on 127.0.0.1 for the download tests (header only:
// this folder builds no test executable of its own). Each connection gets one
// answer and is closed.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vantrek::testing {

struct LoopbackAnswer {
    enum class Kind {
        Whole,        // status, headers and the whole body
        CutBody,      // announces twice the body, sends it and closes
        Hang,         // reads the request and never answers
        CloseServer,  // closes this connection unanswered and stops listening
    };
    int status = 200;
    std::string body;
    std::string location;  // a Location header, for redirects
    Kind kind = Kind::Whole;

    static LoopbackAnswer whole(int status, std::string body) {
        LoopbackAnswer a;
        a.status = status;
        a.body = std::move(body);
        return a;
    }
    static LoopbackAnswer redirect(std::string location) {
        LoopbackAnswer a = whole(301, "");
        a.location = std::move(location);
        return a;
    }
    static LoopbackAnswer special(Kind kind, std::string body = {}) {
        LoopbackAnswer a = whole(200, std::move(body));
        a.kind = kind;
        return a;
    }
};

struct LoopbackRequest {
    std::string target;     // path and query
    std::string userAgent;
};

class LoopbackHttpServer {
public:
    // A proxy of the environment must not see the requests to this server.
    LoopbackHttpServer() {
        ::setenv("no_proxy", "127.0.0.1", 1);
        ::setenv("NO_PROXY", "127.0.0.1", 1);
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;
        socklen_t length = sizeof address;
        if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(listener_, 16) != 0 ||
            ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            return;
        port_ = ntohs(address.sin_port);
        acceptor_ = std::thread([this] { acceptLoop(); });
    }

    ~LoopbackHttpServer() {
        stopping_ = true;
        if (acceptor_.joinable()) acceptor_.join();
        closeListener();
        std::vector<std::thread> connections;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            connections.swap(connections_);
        }
        for (std::thread& t : connections) t.join();
    }

    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    int port() const { return port_; }
    std::string base() const { return "http://127.0.0.1:" + std::to_string(port_); }

    // The answer for a path and query; anything else answers 404.
    void answer(const std::string& target, LoopbackAnswer reply) {
        std::lock_guard<std::mutex> lock(mutex_);
        answers_[target] = std::move(reply);
    }

    std::vector<LoopbackRequest> requests() {
        std::lock_guard<std::mutex> lock(mutex_);
        return requests_;
    }

private:
    void closeListener() {
        const int fd = listener_.exchange(-1);
        if (fd >= 0) ::close(fd);
    }

    void acceptLoop() {
        while (!stopping_) {
            const int fd = listener_.load();
            if (fd < 0) return;
            pollfd ready{fd, POLLIN, 0};
            if (::poll(&ready, 1, 20) <= 0) continue;
            const int client = ::accept(fd, nullptr, nullptr);
            if (client < 0) continue;
            std::lock_guard<std::mutex> lock(mutex_);
            connections_.emplace_back([this, client] { serve(client); });
        }
    }

    void serve(int client) {
        std::string request;
        char buffer[4096];
        while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536 && !stopping_) {
            pollfd ready{client, POLLIN, 0};
            if (::poll(&ready, 1, 20) <= 0) continue;
            const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
            if (n <= 0) break;
            request.append(buffer, static_cast<std::size_t>(n));
        }
        LoopbackRequest seen;
        const std::size_t space = request.find(' ');
        const std::size_t space2 = request.find(' ', space + 1);
        if (space != std::string::npos && space2 != std::string::npos)
            seen.target = request.substr(space + 1, space2 - space - 1);
        const std::size_t agent = request.find("User-Agent: ");
        if (agent != std::string::npos)
            seen.userAgent = request.substr(agent + 12, request.find("\r\n", agent) - agent - 12);

        LoopbackAnswer reply;
        reply.status = 404;
        reply.body = "Not found";
        {
            std::lock_guard<std::mutex> lock(mutex_);
            requests_.push_back(seen);
            const auto it = answers_.find(seen.target);
            if (it != answers_.end()) reply = it->second;
        }
        if (reply.kind == LoopbackAnswer::Kind::Hang) {
            while (!stopping_) ::usleep(10000);
        } else if (reply.kind == LoopbackAnswer::Kind::CloseServer) {
            closeListener();
        } else {
            const std::size_t announced =
                reply.kind == LoopbackAnswer::Kind::CutBody ? 2 * reply.body.size() + 1 : reply.body.size();
            std::string head = "HTTP/1.1 " + std::to_string(reply.status) + " Answer\r\n";
            head += "Content-Length: " + std::to_string(announced) + "\r\n";
            if (!reply.location.empty()) head += "Location: " + reply.location + "\r\n";
            head += "Connection: close\r\n\r\n";
            sendAll(client, head + reply.body);
        }
        ::close(client);
    }

    static void sendAll(int fd, const std::string& bytes) {
        std::size_t sent = 0;
        while (sent < bytes.size()) {
            const ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
            if (n <= 0) return;
            sent += static_cast<std::size_t>(n);
        }
    }

    std::atomic<int> listener_{-1};
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::thread acceptor_;
    std::mutex mutex_;
    std::map<std::string, LoopbackAnswer> answers_;
    std::vector<LoopbackRequest> requests_;
    std::vector<std::thread> connections_;
};

}  // namespace vantrek::testing
