#include "data/download_categories.hpp"

namespace vantrek {

// Some groups are gone from today's server (noaa, goes, molniya, raduga,
// gorizont, iridium, other); they stay in the list and answer with an error.
const DownloadCategoryRow kDownloadCategories[kDownloadCategoryCount] = {
    {"Last 30 Days' Launches", "tle-new", "last-30-days"},
    {"International Space Station", "stations", "stations"},
    {"100 (or so) Brightest", "visual", "visual"},
    {"Weather", "weather", "weather"},
    {"NOAA", "noaa", "noaa"},
    {"GOES", "goes", "goes"},
    {"Earth Resources", "resources", "resources"},
    {"Search & Rescue (SARSAT)", "sarsat", "sarsat"},
    {"Disaster Monitoring", "dmc", "dmc"},
    {"Tracking and Data Relay Satellite System (TDRSS)", "tdrss", "tdrss"},
    {"Communications Geostationary", "geo", "geo"},
    {"Intelsat", "intelsat", "intelsat"},
    {"Gorizont", "gorizont", "gorizont"},
    {"Raduga", "raduga", "raduga"},
    {"Molniya", "molniya", "molniya"},
    {"Iridium", "iridium", "iridium"},
    {"Orbcomm", "orbcomm", "orbcomm"},
    {"Globalstar", "globalstar", "globalstar"},
    {"Amateur Radio", "amateur", "amateur"},
    {"Experimental Communications", "x-comm", "x-comm"},
    {"Other Communications", "other-comm", "other-comm"},
    {"GPS Operational", "gps-ops", "gps-ops"},
    {"Glonass Operational", "glo-ops", "glo-ops"},
    {"Galileo", "galileo", "galileo"},
    {"WAAS/EGNOS/MSAS", "sbas", "sbas"},
    {"Navy Navigation(NNSS)", "nnss", "nnss"},
    {"Russian LEO Navigation", "musson", "musson"},
    {"Space & Earth Science", "science", "science"},
    {"Geodetic", "geodetic", "geodetic"},
    {"Engineering", "engineering", "engineering"},
    {"Education", "education", "education"},
    {"Military", "military", "military"},
    {"Radar Calibration", "radar", "radar"},
    {"CubeSats", "cubesat", "cubesat"},
    {"Other", "other", "other"},
};

}  // namespace vantrek
