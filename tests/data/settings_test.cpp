#include "data/settings.hpp"

#include <limits>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

using namespace vantrek;

namespace {

template <typename T>
void put(MemorySettingsStore& store, const std::string& name, T value) {
    const auto* p = reinterpret_cast<const uint8_t*>(&value);
    store.values[name].assign(p, p + sizeof value);
}

}  // namespace

TEST(Settings, FirstRunWithoutKeyKeepsDefaultsThenTheFirstStoreSucceeds) {
    MemorySettingsStore store;
    Settings settings;
    EXPECT_EQ(LoadSettings(store, settings), -1);
    StoreOptions(store, settings, 0);
    EXPECT_TRUE(store.writeLog.empty());  // no key, nothing written

    EnsureSettingsKey(store);
    EXPECT_EQ(LoadSettings(store, settings), 0);  // a key without City
    EXPECT_DOUBLE_EQ(settings.Lat, 54.3023 * 0.0174532925199433);
    EXPECT_DOUBLE_EQ(settings.Alt, 0.03);
    EXPECT_EQ(settings.GPSCompass, 1);
    EXPECT_EQ(settings.Stars_Mag, 5);
    EXPECT_EQ(settings.SatPredictMag, 20);
    EXPECT_EQ(settings.uplink, 138.0);
    EXPECT_EQ(settings.downlink, 130.0);
    EXPECT_DOUBLE_EQ(settings.Sun_ele, -2 * 0.0174532925199433);

    StoreOptions(store, settings, 7);
    EXPECT_EQ(store.writeLog,
              (std::vector<std::string>{"SNtoNS", "Stars_Mag", "SatPredictMag", "SatPredictVisible",
                                        "flag_refraction", "uplink", "downlink", "flares", "s4_s8",
                                        "Flag_planets", "Flag_colors", "Sat_Display", "Sat_ele",
                                        "Sun_ele"}));
}

TEST(Settings, ValuesHaveExactSizesAndRoundTripLittleEndian) {
    MemorySettingsStore store;
    EnsureSettingsKey(store);
    Settings saved;
    saved.Alt = 1.5;
    saved.GPSPort = 3;
    saved.Stars_Mag = 2;
    saved.uplink = 435.25;
    saved.Flag_planets = 1;
    saved.Sun_ele = -0.2;
    saved.Last_Open = "/home/user/TLE/visual.tle";
    saved.showAllPaths = saved.sgp8Comparison = 1;
    StoreGpsSettings(store, saved);
    StoreOptions(store, saved, 12);
    StoreLocation(store, saved, 3);
    StoreLastFile(store, saved, 12);

    const std::pair<const char*, std::size_t> sizes[] = {
        {"Lat", 8}, {"City", 4}, {"GPSSpeed", 4}, {"Stars_Mag", 2}, {"Flag_planets", 1},
        {"Sat_Display", 4}, {"Sun_ele", 8}, {"Last_Open", 2 * (saved.Last_Open.size() + 1)}};
    for (const auto& [name, size] : sizes) EXPECT_EQ(store.values[name].size(), size) << name;
    EXPECT_EQ(store.values["GPSPort"], (std::vector<uint8_t>{3, 0, 0, 0}));
    EXPECT_EQ(store.values["Alt"], (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0xF8, 0x3F}));  // 1.5

    Settings loaded;
    EXPECT_EQ(LoadSettings(store, loaded), 3);
    EXPECT_EQ(loaded.Alt, 1.5);
    EXPECT_EQ(loaded.GPSPort, 3);
    EXPECT_EQ(loaded.Stars_Mag, 2);
    EXPECT_EQ(loaded.uplink, 435.25);
    EXPECT_EQ(loaded.Flag_planets, 1);
    EXPECT_EQ(loaded.Sat_Display, 12);
    EXPECT_EQ(loaded.Sun_ele, -0.2);
    EXPECT_EQ(loaded.Last_Open, saved.Last_Open);
    // "8/4 test" and "Show all pathes" start off after a restart.
    EXPECT_EQ(loaded.showAllPaths + loaded.sgp8Comparison, 0);
}

TEST(Settings, ValuesOfAnotherSizeOrOutsideTheirRangeAreIgnored) {
    MemorySettingsStore store;
    EnsureSettingsKey(store);
    put(store, "Lat", 1.0f);         // 4 bytes for a double
    put(store, "Stars_Mag", 3);      // 4 bytes for a 16-bit value
    put(store, "GPSSpeed", 11);      // beyond the speed table
    put(store, "Sat_Display", 400);  // beyond the catalogue
    put(store, "City", -1);          // would read as "no key"
    put(store, "uplink", std::numeric_limits<double>::quiet_NaN());
    put(store, "Alt", std::numeric_limits<double>::infinity());
    store.values["Last_Open"] = std::vector<uint8_t>(kLastOpenMaxBytes + 2, 'a');

    Settings settings;
    const Settings defaults;
    EXPECT_EQ(LoadSettings(store, settings), 0);
    EXPECT_EQ(settings.Lat, defaults.Lat);
    EXPECT_EQ(settings.Stars_Mag, defaults.Stars_Mag);
    EXPECT_EQ(settings.GPSSpeed, defaults.GPSSpeed);
    EXPECT_EQ(settings.Sat_Display, defaults.Sat_Display);
    EXPECT_EQ(settings.uplink, defaults.uplink);
    EXPECT_EQ(settings.Alt, defaults.Alt);
    EXPECT_TRUE(settings.Last_Open.empty());
}

TEST(Settings, LongLastOpenSurvivesARestartWhole) {
    MemorySettingsStore store;
    EnsureSettingsKey(store);
    Settings settings;
    settings.Last_Open = "/data/K\xC3\xBCste/" + std::string(184, 'x') + ".tle";  // 200 characters
    StoreLastFile(store, settings, 0);
    Settings restarted;
    LoadSettings(store, restarted);
    EXPECT_EQ(restarted.Last_Open, settings.Last_Open);

    // 520 bytes is the limit on both sides; a longer path is stored empty
    // rather than as a value that would be ignored.
    settings.Last_Open = std::string(259, 'p');
    StoreLastFile(store, settings, 0);
    LoadSettings(store, restarted);
    EXPECT_EQ(restarted.Last_Open, settings.Last_Open);
    settings.Last_Open += 'p';
    StoreLastFile(store, settings, 0);
    LoadSettings(store, restarted);
    EXPECT_TRUE(restarted.Last_Open.empty());
}
