#include "gps/fix_report.hpp"

#include <cstdio>
#include <type_traits>

namespace vantrek {

namespace {

void AddDouble(std::string& out, const char* key, double value) {
    char text[96];
    std::snprintf(text, sizeof text, "%s=%.6f\n", key, value);
    out += text;
}

void AddInteger(std::string& out, const char* key, long long value) {
    out += key;
    out += '=';
    out += std::to_string(value);
    out += '\n';
}

template <typename T>
void AddList(std::string& out, const char* key, const T (&values)[kGpsSlotCount]) {
    out += key;
    out += '=';
    for (int i = 0; i < kGpsSlotCount; ++i) {
        if (i > 0) out += ',';
        char text[48];
        if constexpr (std::is_floating_point_v<T>) {
            std::snprintf(text, sizeof text, "%.6f", values[i]);
        } else {
            std::snprintf(text, sizeof text, "%lld", static_cast<long long>(values[i]));
        }
        out += text;
    }
    out += '\n';
}

}  // namespace

std::string FormatGpsFixReport(const GpsFixData& data) {
    std::string out;
    AddDouble(out, "latitudeDeg", data.latitudeDeg);
    AddDouble(out, "longitudeDeg", data.longitudeDeg);
    AddDouble(out, "altitudeM", data.altitudeM);
    AddDouble(out, "speedKmh", data.speedKmh);
    AddInteger(out, "utcHour", data.utcHour);
    AddInteger(out, "utcMinute", data.utcMinute);
    AddInteger(out, "utcSecond", data.utcSecond);
    AddInteger(out, "utcHundredths", data.utcHundredths);
    AddInteger(out, "utcDay", data.utcDay);
    AddInteger(out, "utcMonth", data.utcMonth);
    AddInteger(out, "utcYear", data.utcYear);
    AddDouble(out, "courseDeg", data.courseDeg);
    AddInteger(out, "satellitesInView", data.satellitesInView);
    AddInteger(out, "satellitesUsed", data.satellitesUsed);
    AddInteger(out, "fixQuality", data.fixQuality);
    AddDouble(out, "geoidSeparationM", data.geoidSeparationM);
    AddDouble(out, "pdop", data.pdop);
    AddDouble(out, "hdop", data.hdop);
    AddDouble(out, "vdop", data.vdop);
    AddInteger(out, "fixMode", data.fixMode);
    AddList(out, "usedPrn", data.usedPrn);
    AddList(out, "prn", data.prn);
    AddList(out, "snrDb", data.snrDb);
    AddList(out, "azimuthRad", data.azimuthRad);
    AddList(out, "elevationRad", data.elevationRad);
    return out;
}

}  // namespace vantrek
