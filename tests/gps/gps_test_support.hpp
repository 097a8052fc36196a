#pragma once

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <future>
#include <iterator>
#include <memory>
#include <string>
#include <thread>

#include "gps/fix_report.hpp"
#include "gps/read_sentence.hpp"

namespace vantrek::testing {

// "$" + body + "*" + checksum + CR LF, the checksum worked out here.
inline std::string Sentence(const std::string& body) {
    unsigned sum = 0;
    for (unsigned char c : body) sum ^= c;
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", sum);
    return "$" + body + tail;
}

// The textbook GGA example: 48.1173 N 11.516667 E, 545.4 m, checksum 47.
inline const std::string kGga = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n";

// A receiver of GPS and GLONASS in the u-blox style: five fixes of GNRMC, GNVTG,
// GNGGA, two GNGSA (NMEA 4.10 fields), GPGSV and GLGSV groups (17 satellites
// for 16 slots), GNGLL and GNTXT; 50 sentences are read, 10 are other types.
inline const std::string kMultiConstellationCapture =
    std::string(VANTREK_TESTS_DIR) + "/gps/captures/multi-constellation.nmea";

inline std::string FileText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The fix report after reading every sentence of `text` into a fresh fix.
inline std::string ParsedReport(const std::string& text) {
    MemoryByteSource source(text.data(), static_cast<long>(text.size()));
    auto fix = std::make_unique<GpsFix>();
    while (!source.atEnd()) ReadSentence(source, *fix);
    return FormatGpsFixReport(SnapshotGpsFix(*fix));
}

// Every wait in these tests is bounded so that a fault fails the test instead of hanging it.
inline bool WaitUntil(const std::function<bool()>& condition) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// Runs a shut-down on another thread; if it hangs, the test binary ends with a failure.
inline void FinishesOrAbort(const std::function<void()>& work) {
    std::future<void> done = std::async(std::launch::async, work);
    if (done.wait_for(std::chrono::seconds(30)) == std::future_status::ready) return;
    std::fputs("shut-down did not finish within 30 s\n", stderr);
    std::_Exit(1);
}

}  // namespace vantrek::testing
