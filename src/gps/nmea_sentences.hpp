#pragma once

#include "gps/gps_fix.hpp"

namespace vantrek {

// True for a line that starts with '$' and a talker whose RMC, VTG, GGA, GSA
// and GSV are read: GP (GPS), GL (GLONASS), GA (Galileo), GB or BD (BeiDou),
// GQ (QZSS) and GN (several combined). The line has at least three bytes.
bool IsNmeaTalker(const char* line);

// The five sentence parsers. Each reads its fields from one checked line and
// writes what it carries into the fix as one update; an absent or unreadable
// field writes 0.
void ParseRmc(const char* line, int length, GpsFix& fix);  // time, position, speed, course, date
void ParseVtg(const char* line, int length, GpsFix& fix);  // course, speed
void ParseGga(const char* line, int length, GpsFix& fix);  // time, position, quality, altitude
void ParseGsa(const char* line, int length, GpsFix& fix);  // fix mode, used satellites, DOPs

// Satellites in view, four per message. True when the message is the last of
// its group; a message numbered outside 1..4 or beyond the group's count
// changes nothing and is "not last". Groups of several constellations share
// the 16 slots: GPS first, the others after it in the order they arrive.
bool ParseGsv(const char* line, int length, GpsFix& fix);

}  // namespace vantrek
