#include "station/link_texts.hpp"

namespace vantrek {

std::string LinkErrorText(LinkError error, int report) {
    switch (error) {
        case LinkError::None: return std::string();
        case LinkError::Refused: return "connection refused";
        case LinkError::UnknownHost: return "unknown host";
        case LinkError::NoAnswer: return "no answer";
        case LinkError::Closed: return "connection closed";
        case LinkError::Failed: return "network error";
        case LinkError::Cancelled: return "stopped";
        case LinkError::TooLong: return "answer too long";
        case LinkError::Unreadable: return "unreadable answer";
        case LinkError::DaemonRefused: return "command refused (RPRT " + std::to_string(report) + ")";
    }
    return "network error";
}

std::string LinkStateText(const char* device, bool connected, const std::string& error) {
    std::string text = std::string(device) + ": " + (connected ? kLinkConnectedText : kLinkNotConnectedText);
    if (!error.empty()) text += " (" + error + ")";
    return text;
}

std::string LinkErrorMessage(const char* device, const std::string& host, int port, const std::string& error) {
    return std::string(device) + " at " + host + ":" + std::to_string(port) + ": " + error;
}

}  // namespace vantrek
