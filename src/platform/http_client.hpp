#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace vantrek {

// One GET. The body is kept up to `maxBodyBytes`; a longer answer is a failure,
// so a runaway server cannot fill the memory.
struct HttpRequest {
    std::string url;
    std::string userAgent;
    long connectTimeoutMs = 15000;
    long totalTimeoutMs = 60000;     // the whole transfer, redirects included
    std::size_t maxBodyBytes = 8u << 20;
    const std::atomic<bool>* cancel = nullptr;  // set from another thread to give up
    // Told of the body bytes received so far, about once a second and as data
    // arrives, on the thread that runs the request. May be empty.
    std::function<void(std::size_t bytes)> received;
};

enum class HttpFailure {
    None,         // a whole answer came: see status and body
    Unavailable,  // the client itself cannot work (no network library)
    Connect,      // no answer: name, connection, TLS or a time-out before the status line
    Read,         // the answer broke off (or timed out) after its status line
    TooLarge,     // the body is longer than maxBodyBytes
    Cancelled,
};

struct HttpReply {
    HttpFailure failure = HttpFailure::None;
    int status = 0;      // HTTP status of the last answer (after redirects), 0 when none came
    std::string body;    // what arrived, even after a failure
    std::string error;   // a short reason when failure is not None
};

// Fetches a URL; the program uses libcurl, tests a script of answers.
class HttpClient {
public:
    virtual ~HttpClient() = default;
    virtual HttpReply get(const HttpRequest& request) = 0;
};

// A client for tests: answers from `replies` in turn (the last one again when
// they run out) and keeps every request.
class ScriptedHttpClient : public HttpClient {
public:
    std::vector<HttpReply> replies;
    std::vector<HttpRequest> requests;

    HttpReply get(const HttpRequest& request) override {
        requests.push_back(request);
        if (replies.empty()) return {HttpFailure::Connect, 0, {}, "no answer"};
        const std::size_t i = requests.size() - 1;
        return replies[i < replies.size() ? i : replies.size() - 1];
    }
};

}  // namespace vantrek
