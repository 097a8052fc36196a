#pragma once

#include <string>
#include <vector>

#include "observe/pass_details.hpp"

namespace vantrek {

enum class PassFileFormat {
    Csv,        // one line per pass
    ICalendar,  // .ics, one event per pass
};

// A name ending in ".ics" (any case) is a calendar, anything else CSV.
PassFileFormat PassFileFormatFor(const std::string& path);

// The passes of `details` to write: those with a pass, each once (a long
// pass may hold two rows, and flares share theirs), in order of rise.
std::vector<const PassDetails*> PassesToExport(const std::vector<PassDetails>& details);

// CSV with a header line and one line per pass, LF line ends:
//   satellite,catalogue_number,aos_utc,tca_utc,los_utc,aos_azimuth_deg,
//   los_azimuth_deg,max_elevation_deg,visible_start_utc,visible_end_utc,
//   magnitude,up_at_start
// times as YYYY-MM-DDTHH:MM:SSZ, angles with two decimals, the magnitude
// with one (empty, as are the visible times, when no part is visible);
// up_at_start is 1 when the satellite was up when the search began (AOS is
// then that start). A name holding a comma or a quote is quoted.
std::string PassesCsv(const std::vector<PassDetails>& details);

// An iCalendar file (RFC 5545): one VEVENT per pass from AOS to LOS, times
// in UTC, summary "NAME max 63°", the azimuths, culmination and brightness
// in the description, a UID made of the catalogue number and the rise, and
// `stamp` (a UTC Julian date, the time of writing) as DTSTAMP. CRLF line
// ends; lines longer than 75 octets are folded, never inside a character.
std::string PassesICalendar(const std::vector<PassDetails>& details, double stamp);

// Writes the passes in the format the path's name asks for, through a
// temporary file renamed over it. False when it could not be written.
bool SavePassesFile(const std::string& path, const std::vector<PassDetails>& details, double stamp);

}  // namespace vantrek
