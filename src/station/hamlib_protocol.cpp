#include "station/hamlib_protocol.hpp"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>


namespace vantrek {

namespace {

using Clock = std::chrono::steady_clock;

// Frequencies a daemon may report, Hz: anything a radio tunes, in an int64.
constexpr double kHighestFrequencyHz = 1e12;
// Angles a daemon may report, degrees: any rotator range with room to spare.
constexpr double kWidestAngleDeg = 1000.0;

LinkError ErrorOf(StreamResult result) {
    switch (result) {
        case StreamResult::Ok: return LinkError::None;
        case StreamResult::Refused: return LinkError::Refused;
        case StreamResult::UnknownHost: return LinkError::UnknownHost;
        case StreamResult::TimedOut: return LinkError::NoAnswer;
        case StreamResult::Closed: return LinkError::Closed;
        case StreamResult::Failed: return LinkError::Failed;
        case StreamResult::Cancelled: return LinkError::Cancelled;
    }
    return LinkError::Failed;
}

LinkError Fail(HamlibConnection& link, LinkError error) {
    CloseHamlib(link);
    return error;
}

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return std::string();
    const std::size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// A finite number that is the whole of the text.
bool ParseNumber(const std::string& text, double& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end != text.c_str() && *end == '\0' && std::isfinite(value);
}

LinkError ReadLine(HamlibConnection& link, std::string& line, Clock::time_point deadline) {
    for (;;) {
        const std::size_t end = link.received.find('\n');
        if (end != std::string::npos) {
            line = link.received.substr(0, end);
            link.received.erase(0, end + 1);
            return LinkError::None;
        }
        if (link.received.size() > kLongestAnswerLine) return LinkError::TooLong;
        if (Clock::now() >= deadline) return LinkError::NoAnswer;
        // Never more than one byte past the longest line is held.
        char buffer[kLongestAnswerLine + 1];
        const std::size_t room = kLongestAnswerLine + 1 - link.received.size();
        std::size_t count = 0;
        const StreamResult result = link.stream->read(buffer, room, count);
        if (result != StreamResult::Ok) return ErrorOf(result);
        link.received.append(buffer, count);
    }
}

// "RPRT n": true with the code.
bool ReportLine(const std::string& line, int& report) {
    if (line.compare(0, 5, "RPRT ") != 0) return false;
    char* end = nullptr;
    const long code = std::strtol(line.c_str() + 5, &end, 10);
    if (end == line.c_str() + 5 || Trimmed(end).size() != 0 || code < -1000 || code > 1000) return false;
    report = static_cast<int>(code);
    return true;
}

}  // namespace

LinkError OpenHamlib(HamlibConnection& link, const std::string& host, uint16_t port) {
    link.received.clear();
    if (!link.stream) return LinkError::Failed;
    const StreamResult result = link.stream->connect(host, port);
    if (result != StreamResult::Ok) return Fail(link, ErrorOf(result));
    return LinkError::None;
}

void CloseHamlib(HamlibConnection& link) {
    if (link.stream) link.stream->close();
    link.received.clear();
}

bool HamlibOpen(const HamlibConnection& link) { return link.stream && link.stream->isOpen(); }

const std::string* HamlibAnswer::find(const char* key) const {
    for (int i = 0; i < count; ++i)
        if (keys[i] == key) return &values[i];
    return nullptr;
}

LinkError HamlibCommand(HamlibConnection& link, const std::string& command, HamlibAnswer& answer) {
    answer = HamlibAnswer{};
    if (!HamlibOpen(link)) return LinkError::Closed;
    link.received.clear();
    const std::string line = "+" + command + "\n";
    const StreamResult written = link.stream->write(line.data(), line.size());
    if (written != StreamResult::Ok) return Fail(link, ErrorOf(written));

    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(kAnswerTimeMs);
    for (int lines = 0; lines < kMostAnswerLines; ++lines) {
        std::string text;
        const LinkError error = ReadLine(link, text, deadline);
        if (error != LinkError::None) return Fail(link, error);
        if (ReportLine(Trimmed(text), answer.report)) {
            return answer.report < 0 ? LinkError::DaemonRefused : LinkError::None;
        }
        const std::size_t colon = text.find(':');
        if (colon != std::string::npos && answer.count < HamlibAnswer::kMostValues) {
            answer.keys[answer.count] = Trimmed(text.substr(0, colon));
            answer.values[answer.count] = Trimmed(text.substr(colon + 1));
            ++answer.count;
        }
    }
    return Fail(link, LinkError::Unreadable);  // no end of answer where one must be
}

LinkError ReadFrequency(HamlibConnection& link, int64_t& hz, int& report) {
    HamlibAnswer answer;
    const LinkError error = HamlibCommand(link, "f", answer);
    report = answer.report;
    if (error != LinkError::None) return error;
    const std::string* text = answer.find("Frequency");
    double value = 0.0;
    if (text == nullptr || !ParseNumber(*text, value) || value <= 0.0 || value >= kHighestFrequencyHz)
        return Fail(link, LinkError::Unreadable);
    hz = std::llround(value);
    return LinkError::None;
}

LinkError SetFrequency(HamlibConnection& link, int64_t hz, int& report) {
    HamlibAnswer answer;
    const LinkError error = HamlibCommand(link, "F " + std::to_string(hz), answer);
    report = answer.report;
    return error;
}

LinkError SetSplitOn(HamlibConnection& link, int& report) {
    HamlibAnswer answer;
    const LinkError error = HamlibCommand(link, "S 1 VFOB", answer);
    report = answer.report;
    return error;
}

LinkError SetSplitFrequency(HamlibConnection& link, int64_t hz, int& report) {
    HamlibAnswer answer;
    const LinkError error = HamlibCommand(link, "I " + std::to_string(hz), answer);
    report = answer.report;
    return error;
}

LinkError ReadPosition(HamlibConnection& link, double& azimuthDeg, double& elevationDeg, int& report) {
    HamlibAnswer answer;
    const LinkError error = HamlibCommand(link, "p", answer);
    report = answer.report;
    if (error != LinkError::None) return error;
    const std::string* az = answer.find("Azimuth");
    const std::string* el = answer.find("Elevation");
    double a = 0.0, e = 0.0;
    if (az == nullptr || el == nullptr || !ParseNumber(*az, a) || !ParseNumber(*el, e) ||
        std::fabs(a) > kWidestAngleDeg || std::fabs(e) > kWidestAngleDeg)
        return Fail(link, LinkError::Unreadable);
    azimuthDeg = a;
    elevationDeg = e;
    return LinkError::None;
}

LinkError SetPosition(HamlibConnection& link, double azimuthDeg, double elevationDeg, int& report) {
    if (!std::isfinite(azimuthDeg) || !std::isfinite(elevationDeg)) return LinkError::Unreadable;
    char command[64];
    std::snprintf(command, sizeof command, "P %.2f %.2f", azimuthDeg, elevationDeg);
    HamlibAnswer answer;
    const LinkError error = HamlibCommand(link, command, answer);
    report = answer.report;
    return error;
}

}  // namespace vantrek
