#pragma once

#include <string>

#include "observe/pass_details.hpp"

namespace vantrek {

// The six pass columns of the Predict list, after its six row columns.
struct PassDetailCells {
    std::string aos;           // local time as the list shows times; "<" first when up at the start
    std::string maxElevation;  // "63.2°"
    std::string los;
    std::string duration;      // "M:SS", or "H:MM:SS" from an hour
    std::string aosAzimuth;    // "231.4°"
    std::string losAzimuth;
};

// The cells of a pass; "N/A" in each when it has none.
PassDetailCells FormatPassDetails(const PassDetails& pass, double localTimeOffset);

// An azimuth (rad) in degrees that will not print as 360 (or -0) once
// rounded to `decimals`: north is 0.
double AzimuthDegrees(double radians, int decimals);

// A Julian date rounded to the nearest second of its day, so that every
// place a pass's times are shown (list, chart, table, files) agrees.
double NearestSecond(double jd);

// "YYYY-MM-DDTHH:MM:SSZ" of a UTC Julian date rounded to the nearest second;
// "-" for a date that is not a finite number.
std::string UtcSecondText(double jd);

// "M:SS" below an hour, "H:MM:SS" from an hour, of whole seconds rounded.
std::string PassDurationText(double seconds);

// The eight tab-separated fields `vantrek-cli passes --details` adds to a
// row: AOS, TCA, LOS (UtcSecondText), the AOS and LOS azimuths and the
// maximum elevation (degrees, two decimals), the visible start and end (or
// "-" each when no part is visible); "-" in every field for no pass.
std::string PassDetailFields(const PassDetails& pass);

}  // namespace vantrek
