#pragma once

#include <string>

#include "station/hamlib_protocol.hpp"

namespace vantrek {

// The station's own texts: the status bar, the message of a new error, the
// Test button's report.
constexpr const char* kRadioName = "Radio";
constexpr const char* kRotatorName = "Rotator";
constexpr const char* kLinkConnectedText = "connected";
constexpr const char* kLinkNotConnectedText = "not connected";
constexpr const char* kStationCaption = "Radio and rotator";

// "connection refused", "no answer", ... ; a daemon's refusal names its code.
std::string LinkErrorText(LinkError error, int report);

// "Radio: connected", "Rotator: not connected (connection refused)".
std::string LinkStateText(const char* device, bool connected, const std::string& error);

// A daemon named with what it said or why not, for a new error's message and
// the Test report: "Rotator at 127.0.0.1:4533: connection refused".
std::string LinkErrorMessage(const char* device, const std::string& host, int port, const std::string& error);

}  // namespace vantrek
