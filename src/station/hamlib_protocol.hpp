#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/byte_stream.hpp"

namespace vantrek {

// Why talking to a daemon failed. Every error but DaemonRefused leaves the
// connection closed, since a late or cut answer would be read as the answer
// to the next command.
enum class LinkError : uint8_t {
    None,
    Refused,        // nothing listens at host:port
    UnknownHost,
    NoAnswer,       // no (complete) answer within the time allowed
    Closed,         // the daemon closed the connection
    Failed,         // another network error
    Cancelled,      // the program is closing
    TooLong,        // an answer line beyond kLongestAnswerLine
    Unreadable,     // an answer that is not the daemon's protocol
    DaemonRefused,  // the daemon answered RPRT with an error code
};

// The longest answer line taken from a daemon; the longest real one (a
// frequency, an angle, an error report) is a few dozen bytes.
constexpr std::size_t kLongestAnswerLine = 256;
// Lines of one answer, the closing RPRT included.
constexpr int kMostAnswerLines = 16;
// The time one command may take from sending to the end of its answer (ms).
constexpr int kAnswerTimeMs = 3000;

// One connection to rigctld or rotctld, spoken to in the daemons' extended
// response form: every command is sent with a leading '+', and every answer
// ends in the line "RPRT n", values coming before it as "Key: value" lines.
struct HamlibConnection {
    std::unique_ptr<ByteStream> stream;
    std::string received;  // bytes of the next line, never more than kLongestAnswerLine
};

LinkError OpenHamlib(HamlibConnection& link, const std::string& host, uint16_t port);
void CloseHamlib(HamlibConnection& link);
bool HamlibOpen(const HamlibConnection& link);

// The answer to one command: its values and the daemon's code.
struct HamlibAnswer {
    static constexpr int kMostValues = 8;
    std::string keys[kMostValues];
    std::string values[kMostValues];
    int count = 0;
    int report = 0;  // the n of "RPRT n"
    // The value of `key`, or null.
    const std::string* find(const char* key) const;
};

// Sends `command` (without the '+' and the newline) and reads its answer. A
// negative RPRT gives DaemonRefused with the code in answer.report.
LinkError HamlibCommand(HamlibConnection& link, const std::string& command, HamlibAnswer& answer);

// The radio (rigctld): f, F, S (split on, transmitting on VFOB), I.
LinkError ReadFrequency(HamlibConnection& link, int64_t& hz, int& report);
LinkError SetFrequency(HamlibConnection& link, int64_t hz, int& report);
LinkError SetSplitOn(HamlibConnection& link, int& report);
LinkError SetSplitFrequency(HamlibConnection& link, int64_t hz, int& report);

// The rotator (rotctld): p and P, degrees.
LinkError ReadPosition(HamlibConnection& link, double& azimuthDeg, double& elevationDeg, int& report);
LinkError SetPosition(HamlibConnection& link, double azimuthDeg, double elevationDeg, int& report);

}  // namespace vantrek
