#include "data/settings.hpp"

#include <cmath>
#include <cstring>
#include <type_traits>
#include <vector>

#include "data/utf16_text.hpp"
#include "orbit/element_set.hpp"

namespace vantrek {

namespace {

// Highest row of the locations list (1800 places after "from GPS").
constexpr int32_t kLastCityRow = 1800;

template <typename T>
using Bits = std::conditional_t<sizeof(T) == 8, uint64_t,
             std::conditional_t<sizeof(T) == 4, uint32_t,
             std::conditional_t<sizeof(T) == 2, uint16_t, uint8_t>>>;

// A fixed-size value of exactly sizeof(T) little-endian bytes.
template <typename T>
bool readFixed(const SettingsStore& store, const char* name, T& value) {
    std::vector<uint8_t> bytes;
    if (!store.readValue(name, bytes) || bytes.size() != sizeof(T)) return false;
    Bits<T> bits = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i) bits |= static_cast<Bits<T>>(bytes[i]) << (8 * i);
    std::memcpy(&value, &bits, sizeof(T));
    return true;
}

template <typename T>
void writeFixed(SettingsStore& store, const char* name, T value) {
    Bits<T> bits;
    std::memcpy(&bits, &value, sizeof(T));
    uint8_t bytes[sizeof(T)];
    for (std::size_t i = 0; i < sizeof(T); ++i) bytes[i] = static_cast<uint8_t>(bits >> (8 * i));
    store.writeValue(name, bytes, sizeof(T));
}

void loadNumber(const SettingsStore& store, const char* name, double& field) {
    double value = 0.0;
    if (readFixed(store, name, value) && std::isfinite(value)) field = value;
}

template <typename T>
void loadIndex(const SettingsStore& store, const char* name, T& field, T first, T last) {
    T value = 0;
    if (readFixed(store, name, value) && value >= first && value <= last) field = value;
}

template <typename T>
void loadFlag(const SettingsStore& store, const char* name, T& field) {
    readFixed(store, name, field);
}

void loadPath(const SettingsStore& store, const char* name, std::string& field) {
    std::vector<uint8_t> bytes;
    if (!store.readValue(name, bytes) || bytes.size() > kLastOpenMaxBytes) return;
    std::u16string units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const char16_t unit = static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
        if (unit == 0) break;
        units += unit;
    }
    field = utf8FromUtf16(units);
}

void storePath(SettingsStore& store, const char* name, const std::string& path) {
    std::u16string units = utf16FromUtf8(path);
    if ((units.size() + 1) * 2 > kLastOpenMaxBytes) units.clear();
    std::vector<uint8_t> bytes;
    for (char16_t unit : units) {
        bytes.push_back(static_cast<uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<uint8_t>(unit >> 8));
    }
    bytes.push_back(0);
    bytes.push_back(0);
    store.writeValue(name, bytes.data(), bytes.size());
}

template <typename T>
bool readWithin(const SettingsStore& store, const char* name, T& value) {
    return readFixed(store, name, value) && std::isfinite(static_cast<double>(value));
}

// The radio and rotator values, each kept only when usable, the rotator's
// limits and park position only as a whole.
void loadStation(const SettingsStore& store, Settings& settings) {
    int32_t flag = 0;
    if (readFixed(store, "Radio_on", flag)) settings.Radio_on = flag != 0 ? 1 : 0;
    if (readFixed(store, "Rotator_on", flag)) settings.Rotator_on = flag != 0 ? 1 : 0;
    if (readFixed(store, "Park_after", flag)) settings.Park_after = flag != 0 ? 1 : 0;
    std::string host;
    loadPath(store, "Radio_host", host);
    if (StationHostUsable(host)) settings.Radio_host = host;
    host.clear();
    loadPath(store, "Rotator_host", host);
    if (StationHostUsable(host)) settings.Rotator_host = host;
    int32_t port = 0;
    if (readFixed(store, "Radio_port", port) && StationPortUsable(port)) settings.Radio_port = port;
    if (readFixed(store, "Rotator_port", port) && StationPortUsable(port)) settings.Rotator_port = port;

    double minimum = 0.0, maximum = 0.0, elevationMax = 0.0, parkAz = 0.0, parkEl = 0.0;
    if (readWithin(store, "Rotator_az_min", minimum) && readWithin(store, "Rotator_az_max", maximum) &&
        RotatorRangeUsable(minimum, maximum)) {
        settings.Rotator_az_min = minimum;
        settings.Rotator_az_max = maximum;
    }
    if (readWithin(store, "Rotator_el_max", elevationMax) && RotatorElevationUsable(elevationMax))
        settings.Rotator_el_max = elevationMax;
    if (readWithin(store, "Park_az", parkAz) && readWithin(store, "Park_ele", parkEl) &&
        ParkPositionUsable(parkAz, parkEl, settings.Rotator_az_min, settings.Rotator_az_max,
                           settings.Rotator_el_max)) {
        settings.Park_az = parkAz;
        settings.Park_ele = parkEl;
    }
    double value = 0.0;
    if (readWithin(store, "Track_ele", value) && TrackElevationUsable(value)) settings.Track_ele = value;
    if (readWithin(store, "Doppler_step", value) && DopplerStepUsable(value)) settings.Doppler_step = value;
    if (readWithin(store, "Rotator_step", value) && RotatorStepUsable(value)) settings.Rotator_step = value;
}

}  // namespace

bool StationHostUsable(const std::string& host) {
    if (host.empty() || host.size() > 253) return false;
    for (char c : host) {
        const bool allowed = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                             c == '.' || c == '-' || c == '_' || c == ':';
        if (!allowed) return false;
    }
    return true;
}

bool StationPortUsable(int32_t port) { return port >= 1 && port <= 65535; }

bool RotatorRangeUsable(double minimumDeg, double maximumDeg) {
    const double width = maximumDeg - minimumDeg;
    return std::isfinite(minimumDeg) && std::isfinite(maximumDeg) && minimumDeg >= -360.0 && minimumDeg <= 360.0 &&
           width >= 360.0 && width <= 720.0;
}

bool RotatorElevationUsable(double maximumDeg) { return maximumDeg == 90.0 || maximumDeg == 180.0; }

bool TrackElevationUsable(double elevation) {
    return std::isfinite(elevation) && elevation >= 0.0 && elevation <= 1.5707963267948966;
}

bool ParkPositionUsable(double azimuthDeg, double elevationDeg, double minimumDeg, double maximumDeg,
                        double elevationMaxDeg) {
    return std::isfinite(azimuthDeg) && std::isfinite(elevationDeg) && azimuthDeg >= minimumDeg &&
           azimuthDeg <= maximumDeg && elevationDeg >= 0.0 && elevationDeg <= elevationMaxDeg;
}

bool DopplerStepUsable(double hz) { return std::isfinite(hz) && hz >= 0.0 && hz <= 100000.0; }

bool RotatorStepUsable(double deg) { return std::isfinite(deg) && deg >= 0.0 && deg <= 45.0; }

void EnsureSettingsKey(SettingsStore& store) {
    if (!store.keyExists()) store.createKey();
}

int32_t LoadSettings(const SettingsStore& store, Settings& settings) {
    if (!store.keyExists()) return -1;

    loadNumber(store, "Lat", settings.Lat);
    loadNumber(store, "Lon", settings.Lon);
    loadNumber(store, "Alt", settings.Alt);
    int32_t city = 0;
    loadIndex(store, "City", city, 0, kLastCityRow);
    settings.City = city;
    loadIndex(store, "GPSPort", settings.GPSPort, 0, 11);
    loadIndex(store, "GPSSpeed", settings.GPSSpeed, 0, 10);
    loadFlag(store, "GPSCompass", settings.GPSCompass);
    loadFlag(store, "SNtoNS", settings.SNtoNS);
    loadIndex<int16_t>(store, "Stars_Mag", settings.Stars_Mag, 0, 5);
    loadIndex(store, "SatPredictMag", settings.SatPredictMag, 0, 20);
    loadFlag(store, "SatPredictVisible", settings.SatPredictVisible);
    loadFlag(store, "flag_refraction", settings.flag_refraction);
    loadNumber(store, "uplink", settings.uplink);
    loadNumber(store, "downlink", settings.downlink);
    loadFlag(store, "flares", settings.flares);
    loadFlag(store, "s4_s8", settings.s4_s8);
    loadFlag(store, "Flag_planets", settings.Flag_planets);
    loadFlag(store, "Flag_colors", settings.Flag_colors);
    loadIndex(store, "Sat_Display", settings.Sat_Display, 0, kCatalogLimit - 1);
    loadNumber(store, "Sat_ele", settings.Sat_ele);
    loadNumber(store, "Sun_ele", settings.Sun_ele);
    loadPath(store, "Last_Open", settings.Last_Open);
    std::string url;
    loadPath(store, "TLE_Url", url);
    if (!url.empty()) settings.TLE_Url = url;
    loadStation(store, settings);
    return city;
}

void StoreGpsSettings(SettingsStore& store, const Settings& settings) {
    if (!store.keyExists()) return;
    writeFixed(store, "GPSPort", settings.GPSPort);
    writeFixed(store, "GPSSpeed", settings.GPSSpeed);
    writeFixed(store, "GPSCompass", settings.GPSCompass);
}

void StoreOptions(SettingsStore& store, Settings& settings, int32_t currentSatellite) {
    settings.Sat_Display = currentSatellite;
    if (!store.keyExists()) return;
    writeFixed(store, "SNtoNS", settings.SNtoNS);
    writeFixed(store, "Stars_Mag", settings.Stars_Mag);
    writeFixed(store, "SatPredictMag", settings.SatPredictMag);
    writeFixed(store, "SatPredictVisible", settings.SatPredictVisible);
    writeFixed(store, "flag_refraction", settings.flag_refraction);
    writeFixed(store, "uplink", settings.uplink);
    writeFixed(store, "downlink", settings.downlink);
    writeFixed(store, "flares", settings.flares);
    writeFixed(store, "s4_s8", settings.s4_s8);
    writeFixed(store, "Flag_planets", settings.Flag_planets);
    writeFixed(store, "Flag_colors", settings.Flag_colors);
    writeFixed(store, "Sat_Display", settings.Sat_Display);
    writeFixed(store, "Sat_ele", settings.Sat_ele);
    writeFixed(store, "Sun_ele", settings.Sun_ele);
}

void StoreLocation(SettingsStore& store, Settings& settings, int32_t cityRow) {
    settings.City = cityRow;
    if (!store.keyExists()) return;
    writeFixed(store, "City", settings.City);
    writeFixed(store, "Lat", settings.Lat);
    writeFixed(store, "Lon", settings.Lon);
    writeFixed(store, "Alt", settings.Alt);
}

void StoreLastFile(SettingsStore& store, Settings& settings, int32_t currentSatellite) {
    settings.Sat_Display = currentSatellite;
    if (!store.keyExists()) return;
    storePath(store, "Last_Open", settings.Last_Open);
    writeFixed(store, "Sat_Display", settings.Sat_Display);
}

void StoreElementSetUrl(SettingsStore& store, const Settings& settings) {
    if (!store.keyExists()) return;
    storePath(store, "TLE_Url", settings.TLE_Url);
}

void StoreStationSettings(SettingsStore& store, const Settings& settings) {
    if (!store.keyExists()) return;
    writeFixed(store, "Radio_on", settings.Radio_on);
    storePath(store, "Radio_host", settings.Radio_host);
    writeFixed(store, "Radio_port", settings.Radio_port);
    writeFixed(store, "Rotator_on", settings.Rotator_on);
    storePath(store, "Rotator_host", settings.Rotator_host);
    writeFixed(store, "Rotator_port", settings.Rotator_port);
    writeFixed(store, "Rotator_az_min", settings.Rotator_az_min);
    writeFixed(store, "Rotator_az_max", settings.Rotator_az_max);
    writeFixed(store, "Rotator_el_max", settings.Rotator_el_max);
    writeFixed(store, "Track_ele", settings.Track_ele);
    writeFixed(store, "Park_az", settings.Park_az);
    writeFixed(store, "Park_ele", settings.Park_ele);
    writeFixed(store, "Park_after", settings.Park_after);
    writeFixed(store, "Doppler_step", settings.Doppler_step);
    writeFixed(store, "Rotator_step", settings.Rotator_step);
}

}  // namespace vantrek
