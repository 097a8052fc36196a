#pragma once

#include <cstdint>
#include <string>

#include "platform/settings_store.hpp"

namespace vantrek {

// Where "Get last TLE" asks for a group: the group takes the place of %s.
constexpr const char* kDefaultElementSetUrl =
    "https://celestrak.org/NORAD/elements/gp.php?GROUP=%s&FORMAT=csv";

// Where hamlib's daemons listen by default.
constexpr const char* kDefaultStationHost = "127.0.0.1";
constexpr int32_t kDefaultRadioPort = 4532;    // rigctld
constexpr int32_t kDefaultRotatorPort = 4533;  // rotctld

// The user's persisted choices. Each field carries the name of the stored value
// it is kept under; the stored form is the field's own little-endian bytes
// (Last_Open and TLE_Url: UTF-16 with a terminator). The defaults are those of a first run.
struct Settings {
    double Lat = 0.9477539264057168;    // observer latitude, rad, north positive (54.3023 deg)
    double Lon = 0.17670935077666988;   // observer longitude, rad, east positive (10.1247 deg)
    double Alt = 0.03;                  // observer altitude, km
    int32_t City = 0;                   // row of the location list chosen last
    int32_t GPSPort = 0;                // 0 none, 1..10 COM1..COM10, 11 gpsd
    int32_t GPSSpeed = 0;               // row of the speed table, 0 = 600 bit/s
    int32_t GPSCompass = 1;             // turn the sky chart by the GPS course
    int32_t SNtoNS = 0;                 // swap north and south on the sky chart
    int16_t Stars_Mag = 5;              // faintest star magnitude drawn, 0..5
    int32_t SatPredictMag = 20;         // faintest satellite magnitude predicted, 0..20
    int32_t SatPredictVisible = 0;      // apply SatPredictMag in prediction
    int32_t flag_refraction = 0;        // refract elevations
    double uplink = 138.0;              // MHz
    double downlink = 130.0;            // MHz
    int32_t flares = 0;                 // predict Iridium flares
    int32_t s4_s8 = 0;                  // 1 = SGP8/SDP8, otherwise SGP4/SDP4
    uint8_t Flag_planets = 0;           // show the planets
    int32_t Flag_colors = 0;            // black text variant of the information panel
    int32_t Sat_Display = 0;            // catalogue index of the current satellite
    double Sat_ele = 0.0349065850398866;    // lowest satellite elevation predicted, rad (2 deg)
    double Sun_ele = -0.0349065850398866;   // highest Sun elevation of a visible pass, rad (-2 deg)
    std::string Last_Open;              // element-set file opened last (UTF-8 here)
    std::string TLE_Url = kDefaultElementSetUrl;  // download template; an empty value keeps the default

    // The radio and the rotator, through hamlib's daemons rigctld and rotctld.
    // Rotator angles are in degrees as the rotator counts them.
    int32_t Radio_on = 0;               // tune the radio
    std::string Radio_host = kDefaultStationHost;
    int32_t Radio_port = kDefaultRadioPort;
    int32_t Rotator_on = 0;             // turn the rotator
    std::string Rotator_host = kDefaultStationHost;
    int32_t Rotator_port = kDefaultRotatorPort;
    double Rotator_az_min = 0.0;        // deg
    double Rotator_az_max = 360.0;      // deg, at least a turn above the minimum
    double Rotator_el_max = 90.0;       // deg: 90, or 180 for a rotator that tips over the zenith
    double Track_ele = 0.0;             // rad: the rotator follows a pass above this elevation
    double Park_az = 0.0;               // deg
    double Park_ele = 0.0;              // deg
    int32_t Park_after = 0;             // park after each pass
    double Doppler_step = 10.0;         // Hz: smaller changes do not re-tune the radio
    double Rotator_step = 1.0;          // deg: smaller changes do not move the rotator

    // Switches that are never stored: off at every start. (The GPS signal map,
    // the third, belongs to the GPS options.)
    int32_t showAllPaths = 0;           // sky and space views
    int32_t sgp8Comparison = 0;         // "8/4 test" on the information panel
};

// Last_Open and TLE_Url hold at most 259 UTF-16 units and a terminator.
constexpr std::size_t kLastOpenMaxBytes = 520;

// Creates the settings key when it is missing; failures are ignored.
void EnsureSettingsKey(SettingsStore& store);

// Reads every stored value into `settings`. A value that is missing, has
// another size than its field, or lies outside its field's range (an index
// beyond its table, a number that is not finite) leaves the field as it was.
// Returns the stored City row; -1 when the key cannot be opened; 0 when the key
// holds no usable City.
int32_t LoadSettings(const SettingsStore& store, Settings& settings);

// GPSPort, GPSSpeed, GPSCompass.
void StoreGpsSettings(SettingsStore& store, const Settings& settings);

// The display and prediction options, and Sat_Display = currentSatellite.
void StoreOptions(SettingsStore& store, Settings& settings, int32_t currentSatellite);

// City = cityRow, then the observer position Lat, Lon, Alt.
void StoreLocation(SettingsStore& store, Settings& settings, int32_t cityRow);

// Last_Open, and Sat_Display = currentSatellite. A path too long to be read
// back is stored empty, so the next start opens nothing rather than a
// different file.
void StoreLastFile(SettingsStore& store, Settings& settings, int32_t currentSatellite);

// TLE_Url.
void StoreElementSetUrl(SettingsStore& store, const Settings& settings);

// The radio and rotator settings, Radio_on .. Rotator_step.
void StoreStationSettings(SettingsStore& store, const Settings& settings);

// Whether each radio and rotator value is one the program can use; LoadSettings
// keeps the default of any that is not, and the dialog checks typed values with
// the same rules.
bool StationHostUsable(const std::string& host);    // a name or address, no blanks
bool StationPortUsable(int32_t port);               // 1..65535
bool RotatorRangeUsable(double minimumDeg, double maximumDeg);  // -360 <= min <= 360, a turn to two turns wide
bool RotatorElevationUsable(double maximumDeg);     // 90 or 180
bool TrackElevationUsable(double elevation);        // 0..90 deg, in rad
bool ParkPositionUsable(double azimuthDeg, double elevationDeg, double minimumDeg, double maximumDeg,
                        double elevationMaxDeg);    // within the rotator's limits
bool DopplerStepUsable(double hz);                  // 0..100000
bool RotatorStepUsable(double deg);                 // 0..45

}  // namespace vantrek
