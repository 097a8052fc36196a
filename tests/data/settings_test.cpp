#include "data/settings.hpp"

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

using namespace vantrek;

namespace {

std::vector<uint8_t> bytesOf(const void* data, std::size_t size) {
    const auto* p = static_cast<const uint8_t*>(data);
    return std::vector<uint8_t>(p, p + size);
}

void put(MemorySettingsStore& store, const std::string& name, const void* data, std::size_t size) {
    store.values[name] = bytesOf(data, size);
}

}  // namespace

TEST(Settings, FirstRunWithoutKeyKeepsDefaultsThenTheFirstStoreSucceeds) {
    MemorySettingsStore store;
    Settings settings;
    EXPECT_EQ(LoadSettings(store, settings), -1);
    StoreOptions(store, settings, 0);
    EXPECT_TRUE(store.writeLog.empty());  // no key, nothing written

    EnsureSettingsKey(store);
    EXPECT_EQ(LoadSettings(store, settings), 0);  // key without City
    EXPECT_DOUBLE_EQ(settings.Lat, 0.9477539264057168);
    EXPECT_DOUBLE_EQ(settings.Lon, 0.17670935077666988);
    EXPECT_DOUBLE_EQ(settings.Alt, 0.03);
    EXPECT_EQ(settings.GPSCompass, 1);
    EXPECT_EQ(settings.Stars_Mag, 5);
    EXPECT_EQ(settings.SatPredictMag, 20);
    EXPECT_DOUBLE_EQ(settings.uplink, 138.0);
    EXPECT_DOUBLE_EQ(settings.downlink, 130.0);
    EXPECT_DOUBLE_EQ(settings.Sat_ele, 0.0349065850398866);
    EXPECT_DOUBLE_EQ(settings.Sun_ele, -0.0349065850398866);
    EXPECT_TRUE(settings.Last_Open.empty());

    StoreOptions(store, settings, 7);
    const std::vector<std::string> order = {
        "SNtoNS", "Stars_Mag", "SatPredictMag", "SatPredictVisible", "flag_refraction", "uplink",
        "downlink", "flares", "s4_s8", "Flag_planets", "Flag_colors", "Sat_Display", "Sat_ele", "Sun_ele"};
    EXPECT_EQ(store.writeLog, order);
}

TEST(Settings, ValuesHaveExactSizesAndRoundTripLittleEndian) {
    MemorySettingsStore store;
    EnsureSettingsKey(store);
    Settings saved;
    saved.Lat = -0.5;
    saved.Lon = 2.25;
    saved.Alt = 1.5;
    saved.GPSPort = 3;
    saved.GPSSpeed = 10;
    saved.GPSCompass = 0;
    saved.SNtoNS = 1;
    saved.Stars_Mag = 2;
    saved.SatPredictMag = 4;
    saved.SatPredictVisible = 1;
    saved.flag_refraction = 1;
    saved.uplink = 435.25;
    saved.downlink = 145.8;
    saved.flares = 1;
    saved.s4_s8 = 1;
    saved.Flag_planets = 1;
    saved.Flag_colors = 1;
    saved.Sat_ele = 0.1;
    saved.Sun_ele = -0.2;
    saved.Last_Open = "/home/user/TLE/visual.tle";
    StoreGpsSettings(store, saved);
    StoreOptions(store, saved, 12);
    StoreLocation(store, saved, 3);
    StoreLastFile(store, saved, 12);

    EXPECT_EQ(store.values["Lat"].size(), 8u);
    EXPECT_EQ(store.values["City"].size(), 4u);
    EXPECT_EQ(store.values["Stars_Mag"].size(), 2u);
    EXPECT_EQ(store.values["Flag_planets"].size(), 1u);
    EXPECT_EQ(store.values["Last_Open"].size(), (saved.Last_Open.size() + 1) * 2);
    EXPECT_EQ(store.values["GPSPort"], (std::vector<uint8_t>{3, 0, 0, 0}));
    EXPECT_EQ(store.values["Alt"], (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0xF8, 0x3F}));  // 1.5
    EXPECT_EQ(store.values["Last_Open"][0], '/');
    EXPECT_EQ(store.values["Last_Open"][1], 0);

    Settings loaded;
    EXPECT_EQ(LoadSettings(store, loaded), 3);
    EXPECT_EQ(loaded.Lat, saved.Lat);
    EXPECT_EQ(loaded.Lon, saved.Lon);
    EXPECT_EQ(loaded.Alt, saved.Alt);
    EXPECT_EQ(loaded.City, 3);
    EXPECT_EQ(loaded.GPSPort, 3);
    EXPECT_EQ(loaded.GPSSpeed, 10);
    EXPECT_EQ(loaded.GPSCompass, 0);
    EXPECT_EQ(loaded.Stars_Mag, 2);
    EXPECT_EQ(loaded.SatPredictMag, 4);
    EXPECT_EQ(loaded.uplink, 435.25);
    EXPECT_EQ(loaded.downlink, 145.8);
    EXPECT_EQ(loaded.s4_s8, 1);
    EXPECT_EQ(loaded.Flag_planets, 1);
    EXPECT_EQ(loaded.Sat_Display, 12);
    EXPECT_EQ(loaded.Sat_ele, 0.1);
    EXPECT_EQ(loaded.Sun_ele, -0.2);
    EXPECT_EQ(loaded.Last_Open, saved.Last_Open);
}

TEST(Settings, ValuesOfAnotherSizeOrOutsideTheirRangeAreIgnored) {
    MemorySettingsStore store;
    EnsureSettingsKey(store);
    const float shortLat = 1.0f;
    put(store, "Lat", &shortLat, sizeof shortLat);
    const int32_t wideStars = 3;  // Stars_Mag is 16-bit
    put(store, "Stars_Mag", &wideStars, sizeof wideStars);
    const int32_t speed = 11, port = -1, display = 400, city = -1;
    put(store, "GPSSpeed", &speed, 4);
    put(store, "GPSPort", &port, 4);
    put(store, "Sat_Display", &display, 4);
    put(store, "City", &city, 4);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    put(store, "uplink", &nan, 8);
    put(store, "Alt", &inf, 8);
    store.values["Last_Open"] = std::vector<uint8_t>(kLastOpenMaxBytes + 2, 'a');

    Settings settings;
    EXPECT_EQ(LoadSettings(store, settings), 0);  // a negative City is no row
    const Settings defaults;
    EXPECT_EQ(settings.Lat, defaults.Lat);
    EXPECT_EQ(settings.Stars_Mag, defaults.Stars_Mag);
    EXPECT_EQ(settings.GPSSpeed, defaults.GPSSpeed);
    EXPECT_EQ(settings.GPSPort, defaults.GPSPort);
    EXPECT_EQ(settings.Sat_Display, defaults.Sat_Display);
    EXPECT_EQ(settings.uplink, defaults.uplink);
    EXPECT_EQ(settings.Alt, defaults.Alt);
    EXPECT_TRUE(settings.Last_Open.empty());
}

TEST(Settings, LongLastOpenSurvivesARestartWhole) {
    MemorySettingsStore store;
    EnsureSettingsKey(store);
    Settings settings;
    std::string path = "/data/K\xC3\xBCste/";  // a non-ASCII folder name
    while (path.size() < 196) path += 'x';
    path += ".tle";
    settings.Last_Open = path;
    ASSERT_EQ(path.size(), 200u);
    StoreLastFile(store, settings, 0);

    Settings restarted;
    LoadSettings(store, restarted);
    EXPECT_EQ(restarted.Last_Open, path);

    // 520 bytes is the limit on both sides; a longer path is stored empty
    // rather than as a value that would be ignored.
    settings.Last_Open = std::string(259, 'p');
    StoreLastFile(store, settings, 0);
    EXPECT_EQ(store.values["Last_Open"].size(), kLastOpenMaxBytes);
    LoadSettings(store, restarted);
    EXPECT_EQ(restarted.Last_Open, settings.Last_Open);
    settings.Last_Open = std::string(260, 'p');
    StoreLastFile(store, settings, 0);
    LoadSettings(store, restarted);
    EXPECT_TRUE(restarted.Last_Open.empty());
}

TEST(Settings, InMemorySwitchesStartOffAfterARestart) {
    MemorySettingsStore store;
    EnsureSettingsKey(store);
    Settings settings;
    settings.showAllPaths = 1;
    settings.sgp8Comparison = 1;
    settings.gpsSignalMap = 1;
    StoreOptions(store, settings, 0);
    StoreGpsSettings(store, settings);
    Settings restarted;
    LoadSettings(store, restarted);
    EXPECT_EQ(restarted.showAllPaths, 0);
    EXPECT_EQ(restarted.sgp8Comparison, 0);
    EXPECT_EQ(restarted.gpsSignalMap, 0);
}
