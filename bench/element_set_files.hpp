#pragma once

// Whole element-set files of any size, as the program reads them: three-line
// sets and the orbit mean-elements CSV the element-set server sends.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

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


inline std::string TwoLineFile(const std::vector<ElementSet>& sets) {
    std::string text;
    text.reserve(sets.size() * 170);
    for (const ElementSet& set : sets) text += TwoLineText(set);
    return text;
}

// The server's CSV form of the same sets.
inline std::string OmmCsvFile(const std::vector<ElementSet>& sets) {
    std::string text =
        "OBJECT_NAME,OBJECT_ID,EPOCH,MEAN_MOTION,ECCENTRICITY,INCLINATION,RA_OF_ASC_NODE,ARG_OF_PERICENTER,"
        "MEAN_ANOMALY,EPHEMERIS_TYPE,CLASSIFICATION_TYPE,NORAD_CAT_ID,ELEMENT_SET_NO,REV_AT_EPOCH,BSTAR,"
        "MEAN_MOTION_DOT,MEAN_MOTION_DDOT\r\n";
    text.reserve(sets.size() * 200);
    for (const ElementSet& set : sets) {
        // The epoch YYDDD.DDDDDDDD as an ISO time (2000-2056 here).
        const int year = 2000 + static_cast<int>(set.epoch / 1000.0);
        const double day = std::fmod(set.epoch, 1000.0);
        const int dayOfYear = static_cast<int>(day);
        const double seconds = (day - dayOfYear) * 86400.0;
        static const int kMonthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        int month = 0, dayOfMonth = dayOfYear;
        const bool leap = year % 4 == 0;
        while (dayOfMonth > kMonthDays[month] + (month == 1 && leap)) dayOfMonth -= kMonthDays[month] + (month == 1 && leap), ++month;
        char line[400];
        std::snprintf(line, sizeof line,
                      "%s,2024-001A,%04d-%02d-%02dT%02d:%02d:%09.6f,%.8f,%.7f,%.4f,%.4f,%.4f,%.4f,0,U,%d,%d,%d,%.5g,%.8f,0\r\n",
                      std::string(set.name, set.name + std::string(set.name).find_last_not_of(' ') + 1).c_str(), year,
                      month + 1, dayOfMonth, static_cast<int>(seconds / 3600), static_cast<int>(std::fmod(seconds, 3600) / 60),
                      std::fmod(seconds, 60.0), set.meanMotion / kRevPerDayToRadPerMin, set.eccentricity,
                      set.inclination / kDegree, set.raan / kDegree, set.argPerigee / kDegree,
                      set.meanAnomaly / kDegree, set.catalogNumber, set.elementNumber, set.revolutionNumber, set.bstar,
                      set.meanMotionDot);
        text += line;
    }
    return text;
}

}  // namespace vantrek::testing
