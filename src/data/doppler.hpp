#pragma once

#include <string>

namespace vantrek {

constexpr double kSpeedOfLight = 299792458.0;  // m/s

// The link frequencies corrected for the satellite's motion, for the present moment.
struct DopplerShift {
    double receivedDownlink = 0.0;   // MHz heard on the ground
    double downlinkShift = 0.0;      // Hz
    double transmitUplink = 0.0;     // MHz to send so the satellite hears the nominal uplink
    double uplinkShift = 0.0;        // Hz
    double delay = 0.0;              // one-way signal delay, ms
};

// From the range (km) and range rate (km/s, positive when the distance grows)
// and the nominal frequencies (MHz).
DopplerShift computeDoppler(double range, double rangeRate, double downlink, double uplink);

// The three lines of the information panel.
struct DopplerText {
    std::string downlink;  // "Downlink %11.5fMHz (%3.2fHz)"
    std::string uplink;    // "Uplink     %11.5fMHz (%3.2fHz)"
    std::string range;     // "Range %6.4f km Delay %6.4f ms"
};

DopplerText DopplerLines(double range, double rangeRate, double downlink, double uplink);

}  // namespace vantrek
