#include "data/doppler.hpp"

#include <cstdio>

namespace vantrek {

DopplerShift computeDoppler(double range, double rangeRate, double downlink, double uplink) {
    // Relative velocity in units of 1e-8 of the speed of light, negative when receding.
    const double k = rangeRate * 1000.0 / kSpeedOfLight * -1e8;
    DopplerShift shift;
    shift.receivedDownlink = downlink + downlink * k * 1e-8;
    shift.transmitUplink = uplink - uplink * k * 1e-8;
    shift.downlinkShift = (shift.receivedDownlink - downlink) * 1000000.0;
    shift.uplinkShift = (shift.transmitUplink - uplink) * 1000000.0;
    shift.delay = range * 1000.0 / kSpeedOfLight * 1000.0;
    return shift;
}

DopplerText DopplerLines(double range, double rangeRate, double downlink, double uplink) {
    const DopplerShift shift = computeDoppler(range, rangeRate, downlink, uplink);
    char text[204];
    DopplerText lines;
    std::snprintf(text, sizeof text, "Downlink %11.5fMHz (%3.2fHz)", shift.receivedDownlink,
                  shift.downlinkShift);
    lines.downlink = text;
    std::snprintf(text, sizeof text, "Uplink     %11.5fMHz (%3.2fHz)", shift.transmitUplink,
                  shift.uplinkShift);
    lines.uplink = text;
    std::snprintf(text, sizeof text, "Range %6.4f km Delay %6.4f ms", range, shift.delay);
    lines.range = text;
    return lines;
}

}  // namespace vantrek
