#pragma once

#include <cstdint>

namespace vantrek {

// What the radio is to be tuned to now: the Doppler-corrected link
// frequencies before the operator's own offset, which the link adds.
struct RadioTarget {
    int64_t satelliteKey = 0;  // changes with the current satellite: the offset starts again
    bool downlinkSet = false;
    int64_t downlinkHz = 0;    // the radio's (receive) frequency
    bool uplinkSet = false;
    int64_t uplinkHz = 0;      // the split transmit frequency
};

// Where the rotator is to point now, in its own coordinates (degrees).
struct RotatorTarget {
    bool set = false;
    double azimuthDeg = 0.0;
    double elevationDeg = 0.0;
};

}  // namespace vantrek
