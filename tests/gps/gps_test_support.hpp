#pragma once

#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <future>
#include <string>
#include <thread>

#include <gtest/gtest.h>

namespace vantrek::testing {

// "$" + body + "*" + checksum + CR LF, the checksum worked out here.
inline std::string Sentence(const std::string& body) {
    unsigned sum = 0;
    for (unsigned char c : body) sum ^= c;
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", sum);
    return "$" + body + tail;
}

// The receiver capture without its comment lines, each line ended by CR LF.
inline std::string CaptureSentences(int* count = nullptr) {
    std::ifstream file(std::string(VANTREK_SHARED_DATA_DIR) + "/nmea/haicom-305N.log");
    std::string line, text;
    int lines = 0;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        text += line + "\r\n";
        ++lines;
    }
    if (count != nullptr) *count = lines;
    return text;
}

// Polls `condition` until it holds or `limit` has passed; every wait in these
// tests is bounded so that a fault fails the test instead of hanging it.
inline bool WaitUntil(const std::function<bool()>& condition,
                      std::chrono::milliseconds limit = std::chrono::seconds(20)) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// Runs `work` (a shut-down) on another thread; if it has not finished within
// `limit` the test binary ends with a failure rather than hang.
inline void FinishesOrAbort(const std::function<void()>& work,
                            std::chrono::seconds limit = std::chrono::seconds(30)) {
    std::packaged_task<void()> task(work);
    std::future<void> done = task.get_future();
    std::thread runner(std::move(task));
    if (done.wait_for(limit) != std::future_status::ready) {
        std::fprintf(stderr, "shut-down did not finish within %lld s\n",
                     static_cast<long long>(limit.count()));
        std::fflush(stderr);
        std::_Exit(1);
    }
    runner.join();
}

}  // namespace vantrek::testing
