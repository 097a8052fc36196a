#include "data/download_categories.hpp"

namespace vantrek {

// The first 35 rows are the list's first years, in their order. Some of
// their groups are gone from today's server (noaa, goes, molniya, raduga,
// gorizont, iridium, nnss, musson, other): they stay in the list and answer
// with an error. The Earth-resources group is "resource" today; its copy keeps
// the stem "resources". After them come the groups a station of today asks
// for, as the server's index names them. A copy whose name begins with
// "iridium" marks the catalogue as first-generation Iridium satellites (the
// flares), so the Iridium NEXT and Iridium 33 debris copies are named otherwise.
const DownloadCategoryRow kDownloadCategories[kDownloadCategoryCount] = {
    {"Last 30 Days' Launches", "tle-new", "last-30-days"},
    {"International Space Station", "stations", "stations"},
    {"100 (or so) Brightest", "visual", "visual"},
    {"Weather", "weather", "weather"},
    {"NOAA", "noaa", "noaa"},
    {"GOES", "goes", "goes"},
    {"Earth Resources", "resources", "resource"},
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
    // Today's groups.
    {"Active Satellites (about 12,000)", "active", "active"},
    {"Starlink (about 9,000)", "starlink", "starlink"},
    {"OneWeb", "oneweb", "oneweb"},
    {"Kuiper", "kuiper", "kuiper"},
    {"Qianfan", "qianfan", "qianfan"},
    {"Iridium NEXT", "next-iridium", "iridium-NEXT"},
    {"GNSS (all constellations)", "gnss", "gnss"},
    {"Beidou", "beidou", "beidou"},
    {"Planet", "planet", "planet"},
    {"Spire", "spire", "spire"},
    {"SatNOGS", "satnogs", "satnogs"},
    {"Analyst Satellites", "analyst", "analyst"},
    {"Chinese ASAT Test Debris (FENGYUN 1C)", "fengyun-1c-debris", "fengyun-1c-debris"},
    {"IRIDIUM 33 Debris", "debris-of-iridium-33", "iridium-33-debris"},
    {"COSMOS 2251 Debris", "cosmos-2251-debris", "cosmos-2251-debris"},
};

}  // namespace vantrek
