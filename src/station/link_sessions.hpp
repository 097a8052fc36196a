#pragma once

#include <cstdint>

#include "station/hamlib_protocol.hpp"
#include "station/station_targets.hpp"

namespace vantrek {

// The radio as the link knows it: what it was last told and what it said.
struct RadioSession {
    HamlibConnection link;
    int64_t satelliteKey = 0;
    int64_t offsetHz = 0;          // the operator's own tuning, carried through the pass
    bool holdsKnown = false;       // the radio reported its frequency after our last setting
    int64_t holdsHz = 0;           // that report (the radio may round what it is sent)
    bool downlinkSent = false;
    int64_t downlinkHz = 0;        // the target last sent, without the offset
    bool splitOn = false;
    bool uplinkSent = false;
    int64_t uplinkHz = 0;
    bool frequencyKnown = false;
    int64_t frequencyHz = 0;       // the radio's frequency as last read
    int report = 0;                // the daemon's code of the last refusal
};

struct RotatorSession {
    HamlibConnection link;
    bool sent = false;
    double azimuthDeg = 0.0;       // the position last sent
    double elevationDeg = 0.0;
    bool positionKnown = false;
    double readAzimuthDeg = 0.0;   // as last read
    double readElevationDeg = 0.0;
    int report = 0;
};

// After a (re)connection nothing has been sent on it yet: the next turn sends
// the targets in force. The offset and the last report of the radio stay.
void StartRadioSession(RadioSession& radio);
void StartRotatorSession(RotatorSession& rotator);

// Sends what differs from what was last sent: the downlink (plus the offset)
// as the radio's frequency, the uplink as its split transmit frequency. Before
// each downlink it reads the radio: a frequency other than the one the radio
// held after the last setting is the operator's tuning, which moves the
// offset by the difference. A new satellite starts the offset at 0.
LinkError RadioTurn(RadioSession& radio, const RadioTarget& target);

// Reads the radio's frequency and takes up the operator's tuning.
LinkError PollRadio(RadioSession& radio);

// Sends a position that differs from the one last sent.
LinkError RotatorTurn(RotatorSession& rotator, const RotatorTarget& target);

// Reads the rotator's position.
LinkError PollRotator(RotatorSession& rotator);

}  // namespace vantrek
