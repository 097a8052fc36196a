#pragma once

// Whole element-set files of any size, as the program reads them: three-line
// sets and the orbit mean-elements CSV the element-set server sends.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "../tests/support/element_set_text.hpp"

namespace vantrek::testing {

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
