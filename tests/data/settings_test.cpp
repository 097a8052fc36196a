#include "data/settings.hpp"

#include <limits>
#include <string>
#include <tuple>
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

TEST(Settings, NothingWithoutTheKeyThenExactSizesRoundTripLittleEndian) {
    MemorySettingsStore store;
    Settings saved;
    EXPECT_EQ(LoadSettings(store, saved), -1);  // first run: no key, defaults kept, nothing written
    StoreOptions(store, saved, 0);
    EXPECT_TRUE(store.writeLog.empty());
    EnsureSettingsKey(store);
    saved.Alt = 1.5;
    saved.GPSPort = 3;
    saved.Stars_Mag = 2;
    saved.Flag_planets = 1;
    saved.Sun_ele = -0.2;
    saved.Last_Open = "/home/user/TLE/visual.tle";
    StoreGpsSettings(store, saved);
    StoreOptions(store, saved, 12);
    StoreLocation(store, saved, 3);
    StoreLastFile(store, saved, 12);

    const std::pair<const char*, std::size_t> sizes[] = {
        {"City", 4}, {"Stars_Mag", 2}, {"Flag_planets", 1}, {"Last_Open", 2 * (saved.Last_Open.size() + 1)}};
    for (const auto& [name, size] : sizes) EXPECT_EQ(store.values[name].size(), size) << name;
    EXPECT_EQ(store.values["GPSPort"], (std::vector<uint8_t>{3, 0, 0, 0}));
    EXPECT_EQ(store.values["Alt"], (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0xF8, 0x3F}));  // 1.5

    Settings loaded;
    EXPECT_EQ(LoadSettings(store, loaded), 3);
    EXPECT_EQ(std::tie(loaded.Alt, loaded.GPSPort, loaded.Stars_Mag, loaded.Flag_planets, loaded.Sun_ele,
                       loaded.Last_Open, loaded.Sat_Display),
              std::tie(saved.Alt, saved.GPSPort, saved.Stars_Mag, saved.Flag_planets, saved.Sun_ele,
                       saved.Last_Open, saved.Sat_Display));

    // Last_Open: 520 bytes is the limit on both sides; a longer path is stored
    // empty rather than as a value that would be ignored. Non-ASCII text survives whole.
    const std::string kueste = "/data/K\xC3\xBCste/" + std::string(184, 'x') + ".tle";  // 200 characters
    const std::string longest(259, 'p');
    const std::pair<std::string, std::string> paths[] = {{kueste, kueste}, {longest, longest}, {longest + 'p', ""}};
    for (const auto& [path, expected] : paths) {
        saved.Last_Open = path;
        StoreLastFile(store, saved, 0);
        LoadSettings(store, loaded);
        EXPECT_EQ(loaded.Last_Open, expected) << path.size();
    }
}

TEST(Settings, ValuesOfAnotherSizeOrOutsideTheirRangeAreIgnored) {
    MemorySettingsStore store;
    EnsureSettingsKey(store);
    put(store, "Stars_Mag", 3);      // 4 bytes for a 16-bit value
    put(store, "Sat_Display", 100000);  // beyond the largest catalogue
    put(store, "City", -1);          // would read as "no key"
    put(store, "uplink", std::numeric_limits<double>::quiet_NaN());
    put(store, "Alt", std::numeric_limits<double>::infinity());
    store.values["Last_Open"] = std::vector<uint8_t>(kLastOpenMaxBytes + 2, 'a');

    Settings settings;
    const Settings defaults;
    EXPECT_EQ(LoadSettings(store, settings), 0);
    EXPECT_EQ(std::tie(settings.Stars_Mag, settings.Sat_Display, settings.uplink, settings.Alt),
              std::tie(defaults.Stars_Mag, defaults.Sat_Display, defaults.uplink, defaults.Alt));
    EXPECT_TRUE(settings.Last_Open.empty());
}
