#pragma once

// Element sets written as the three lines of a two-line file (header only).
#include <cmath>
#include <cstdio>
#include <string>

#include "astro/constants.hpp"
#include "orbit/element_set.hpp"

namespace vantrek::testing {

// The two-line checksum: the digits of columns 1-68 added, a minus sign counting one.
inline int TwoLineChecksum(const char* line) {
    int sum = 0;
    for (int i = 0; i < 68 && line[i]; ++i) {
        if (line[i] >= '0' && line[i] <= '9') sum += line[i] - '0';
        if (line[i] == '-') ++sum;
    }
    return sum % 10;
}

// An "assumed point" field: sign, five mantissa digits, signed exponent digit.
inline std::string AssumedPoint(double value) {
    char text[48];
    if (value == 0.0) return " 00000-0";
    int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value)))) + 1;
    long mantissa = std::lround(std::fabs(value) / std::pow(10.0, exponent - 5));
    if (mantissa >= 100000) {
        mantissa /= 10;
        ++exponent;
    }
    std::snprintf(text, sizeof text, "%c%05ld%c%d", value < 0 ? '-' : ' ', mantissa, exponent < 0 ? '-' : '+',
                  std::abs(exponent));
    return text;
}

// The three lines of one set (name, line 1, line 2), each ending in LF; a
// catalogue number up to 99999.
inline std::string TwoLineText(const ElementSet& set) {
    char line1[160], line2[160], out[480];
    std::snprintf(line1, sizeof line1, "1 %05dU 24001A   %014.8f %c.%08ld  00000-0 %s 0 %4d",
                  set.catalogNumber % 100000, set.epoch, set.meanMotionDot < 0 ? '-' : ' ',
                  std::lround(std::fabs(set.meanMotionDot) * 1e8), AssumedPoint(set.bstar).c_str(),
                  set.elementNumber % 10000);
    const double revsPerDay = set.meanMotion / kRevPerDayToRadPerMin;
    std::snprintf(line2, sizeof line2, "2 %05d %8.4f %8.4f %07ld %8.4f %8.4f %11.8f%5d", set.catalogNumber % 100000,
                  set.inclination / kDegree, set.raan / kDegree, std::lround(set.eccentricity * 1e7),
                  set.argPerigee / kDegree, set.meanAnomaly / kDegree, revsPerDay, set.revolutionNumber % 100000);
    std::snprintf(out, sizeof out, "%.24s\n%s%d\n%s%d\n", set.name, line1, TwoLineChecksum(line1), line2,
                  TwoLineChecksum(line2));
    return out;
}

}  // namespace vantrek::testing
