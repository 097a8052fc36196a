#include "observe/pass_detail_cells.hpp"

#include <cmath>
#include <cstdio>

#include "astro/constants.hpp"
#include "astro/julian_date.hpp"
#include "observe/prediction_cells.hpp"

namespace vantrek {

namespace {

constexpr double kSecondsPerDay = 86400.0;
constexpr const char* kNoPass = "N/A";

std::string degreesText(double radians) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f\u00b0", radians / kDegree);
    return text;
}



}  // namespace

double AzimuthDegrees(double radians, int decimals) {
    const double degrees = radians / kDegree;
    return degrees >= 360.0 - 0.5 * std::pow(10.0, -decimals) ? 0.0 : degrees;
}

PassDetailCells FormatPassDetails(const PassDetails& pass, double localTimeOffset) {
    PassDetailCells cells;
    if (!pass.valid) {
        cells.aos = cells.maxElevation = cells.los = cells.duration = cells.aosAzimuth =
            cells.losAzimuth = kNoPass;
        return cells;
    }
    // A pass already under way when the search began rose before its start.
    cells.aos = (pass.upAtStart ? "<" : "") + PredictionTimeText(NearestSecond(pass.aos), localTimeOffset);
    cells.maxElevation = degreesText(pass.maxElevation);
    cells.los = PredictionTimeText(NearestSecond(pass.los), localTimeOffset);
    cells.duration = PassDurationText(PassDurationSeconds(pass));
    cells.aosAzimuth = degreesText(AzimuthDegrees(pass.aosAzimuth, 1) * kDegree);
    cells.losAzimuth = degreesText(AzimuthDegrees(pass.losAzimuth, 1) * kDegree);
    return cells;
}

double NearestSecond(double jd) {
    if (!std::isfinite(jd)) return jd;
    const double dayStart = std::floor(jd + 0.5) - 0.5;
    return dayStart + std::round((jd - dayStart) * kSecondsPerDay) / kSecondsPerDay;
}

std::string UtcSecondText(double jd) {
    if (!std::isfinite(jd)) return "-";
    const CalendarInstant c = CalendarInstantFromJulian(NearestSecond(jd));
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", c.year, c.month, c.day, c.hour,
                  c.minute, c.second);
    return text;
}

std::string PassDurationText(double seconds) {
    if (!std::isfinite(seconds) || seconds < 0.0) return kNoPass;
    const long long whole = std::llround(std::fmin(seconds, 1e9));
    char text[48];
    if (whole < 3600) {
        std::snprintf(text, sizeof text, "%lld:%02lld", whole / 60, whole % 60);
    } else {
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", whole / 3600, whole / 60 % 60, whole % 60);
    }
    return text;
}

std::string PassDetailFields(const PassDetails& pass) {
    if (!pass.valid) return "-\t-\t-\t-\t-\t-\t-\t-";
    char angles[96];
    std::snprintf(angles, sizeof angles, "%.2f\t%.2f\t%.2f", AzimuthDegrees(pass.aosAzimuth, 2),
                  AzimuthDegrees(pass.losAzimuth, 2), pass.maxElevation / kDegree);
    const std::string visibleStart = pass.visible ? UtcSecondText(pass.visibleStart) : "-";
    const std::string visibleEnd = pass.visible ? UtcSecondText(pass.visibleEnd) : "-";
    return UtcSecondText(pass.aos) + "\t" + UtcSecondText(pass.tca) + "\t" + UtcSecondText(pass.los) +
           "\t" + angles + "\t" + visibleStart + "\t" + visibleEnd;
}

}  // namespace vantrek
