#include "station/link_sessions.hpp"

namespace vantrek {

void StartRadioSession(RadioSession& radio) {
    radio.holdsKnown = false;
    radio.downlinkSent = false;
    radio.splitOn = false;
    radio.uplinkSent = false;
    radio.frequencyKnown = false;
}

void StartRotatorSession(RotatorSession& rotator) {
    rotator.sent = false;
    rotator.positionKnown = false;
}

LinkError PollRadio(RadioSession& radio) {
    int64_t hz = 0;
    const LinkError error = ReadFrequency(radio.link, hz, radio.report);
    if (error != LinkError::None) return error;
    radio.frequencyKnown = true;
    radio.frequencyHz = hz;
    if (radio.holdsKnown && hz != radio.holdsHz) {
        radio.offsetHz += hz - radio.holdsHz;
        radio.holdsHz = hz;
    }
    return LinkError::None;
}

LinkError RadioTurn(RadioSession& radio, const RadioTarget& target) {
    if (target.satelliteKey != radio.satelliteKey) {
        // Tuning done for the satellite before belongs to it, not to the new one.
        if (radio.holdsKnown) {
            const LinkError error = PollRadio(radio);
            if (error != LinkError::None) return error;
        }
        radio.satelliteKey = target.satelliteKey;
        radio.offsetHz = 0;
    }
    if (target.downlinkSet && (!radio.downlinkSent || target.downlinkHz != radio.downlinkHz)) {
        if (radio.holdsKnown) {
            const LinkError error = PollRadio(radio);
            if (error != LinkError::None) return error;
        }
        LinkError error = SetFrequency(radio.link, target.downlinkHz + radio.offsetHz, radio.report);
        // A refused frequency is not sent again until the target changes.
        if (error == LinkError::None || error == LinkError::DaemonRefused) {
            radio.downlinkSent = true;
            radio.downlinkHz = target.downlinkHz;
        }
        if (error != LinkError::None) return error;
        int64_t holds = 0;
        error = ReadFrequency(radio.link, holds, radio.report);
        if (error != LinkError::None) return error;
        radio.holdsKnown = true;
        radio.holdsHz = holds;
        radio.frequencyKnown = true;
        radio.frequencyHz = holds;
    }
    if (target.uplinkSet && (!radio.uplinkSent || target.uplinkHz != radio.uplinkHz)) {
        LinkError error = LinkError::None;
        if (!radio.splitOn) {
            error = SetSplitOn(radio.link, radio.report);
            if (error == LinkError::None) radio.splitOn = true;
        }
        if (error == LinkError::None) error = SetSplitFrequency(radio.link, target.uplinkHz, radio.report);
        if (error == LinkError::None || error == LinkError::DaemonRefused) {
            radio.uplinkSent = true;
            radio.uplinkHz = target.uplinkHz;
        }
        if (error != LinkError::None) return error;
    }
    return LinkError::None;
}

LinkError RotatorTurn(RotatorSession& rotator, const RotatorTarget& target) {
    if (!target.set) return LinkError::None;
    if (rotator.sent && target.azimuthDeg == rotator.azimuthDeg && target.elevationDeg == rotator.elevationDeg)
        return LinkError::None;
    const LinkError error = SetPosition(rotator.link, target.azimuthDeg, target.elevationDeg, rotator.report);
    // A refused position is not sent again until the target changes.
    if (error == LinkError::None || error == LinkError::DaemonRefused) {
        rotator.sent = true;
        rotator.azimuthDeg = target.azimuthDeg;
        rotator.elevationDeg = target.elevationDeg;
    }
    return error;
}

LinkError PollRotator(RotatorSession& rotator) {
    double az = 0.0, el = 0.0;
    const LinkError error = ReadPosition(rotator.link, az, el, rotator.report);
    if (error != LinkError::None) return error;
    rotator.positionKnown = true;
    rotator.readAzimuthDeg = az;
    rotator.readElevationDeg = el;
    return LinkError::None;
}

}  // namespace vantrek
