#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "../support/device_daemons.hpp"
#include "../support/orbit_fixtures.hpp"
#include "gps/fix_report.hpp"
#include "gps/read_sentence.hpp"

namespace vantrek::testing {

// "$" + body + "*" + checksum + CR LF, the checksum worked out here.
inline std::string Sentence(const std::string& body) {
    unsigned sum = 0;
    for (unsigned char c : body) sum ^= c;
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", sum);
    return "$" + body + tail;
}

// The textbook GGA example: 48.1173 N 11.516667 E, 545.4 m, checksum 47.
inline const std::string kGga = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n";

// A receiver of GPS and GLONASS in the u-blox style: five fixes of GNRMC, GNVTG,
// GNGGA, two GNGSA (NMEA 4.10 fields), GPGSV and GLGSV groups (17 satellites
// for 16 slots), GNGLL and GNTXT; 50 sentences are read, 10 are other types.
inline const std::string kMultiConstellationCapture =
    std::string(VANTREK_TESTS_DIR) + "/gps/captures/multi-constellation.nmea";

// The fix report after reading every sentence of `text` into a fresh fix.
inline std::string ParsedReport(const std::string& text) {
    MemoryByteSource source(text.data(), static_cast<long>(text.size()));
    auto fix = std::make_unique<GpsFix>();
    while (!source.atEnd()) ReadSentence(source, *fix);
    return FormatGpsFixReport(SnapshotGpsFix(*fix));
}

}  // namespace vantrek::testing
