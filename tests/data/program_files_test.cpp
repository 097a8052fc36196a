// What the program keeps: its stored settings, and its own text files read in
// fixed pieces (the link frequencies and the observing places, and the shipped
// copies of both).
#include <limits>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "data/doppler.hpp"
#include "data/frequencies.hpp"
#include "data/locations_file.hpp"
#include "data/settings.hpp"
#include "platform/temporary_folder.hpp"

using namespace vantrek;

namespace {

template <typename T>
void put(MemorySettingsStore& store, const std::string& name, T value) {
    const auto* p = reinterpret_cast<const uint8_t*>(&value);
    store.values[name].assign(p, p + sizeof value);
}

// Downlink and uplink of `number`, MHz; values typed before are always replaced.
std::pair<double, double> Links(const std::string& folder, int32_t number) {
    Settings settings;
    settings.uplink = settings.downlink = 1.0;
    LoadFrequencies(ProgramFolder{folder}, number, settings);
    return {settings.downlink, settings.uplink};
}

double Single(double megahertz) { return static_cast<float>(megahertz); }  // as the file is read

}  // namespace

TEST(Settings, NothingWithoutTheKeyThenExactSizesRoundTripLittleEndianAndOthersAreIgnored) {
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

    // Values of another size or outside their range are ignored: the defaults stay.
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

// Downlink before uplink; the last matching line wins; an unknown number, a
// missing file or an unknown folder give 145 MHz both ways. Numbers past
// 99999 are read whole: cut to five digits, 100001 would match 10000 and
// 255440 would give 25544 a downlink of 1. The header buffer takes 19
// characters, the rest of a longer header is read as the next line; a data
// line of more than 29 characters is read in pieces, and a piece that looks
// like a line counts.
TEST(Frequencies, LastMatchingLineWinsInPiecesAndUnknownNumbersGet145) {
    TemporaryFolder folder, pieces;
    folder.write("Frequencies.txt", "Cat Down Up\r\n25544 145.800 437.800\nnot a line\n25544 145.825 435.250\n"
                                    "100001 145.825 435.100\n255440 1.0 2.0\n");
    pieces.write("Frequencies.txt",
                 "Frequency table v2 25544 100.0 200.0\n99999 1.0 2.0                43017 145.960 435.250\n");
    const struct {
        const char* source;
        std::string folder;
        int32_t number;
        double downlink, uplink;
    } rows[] = {{"the last of two lines", folder.path(), 25544, Single(145.825), Single(435.250)},
                {"six digits", folder.path(), 100001, Single(145.825), Single(435.100)},
                {"no line", folder.path(), 12345, 145.0, 145.0},
                {"five digits of six", folder.path(), 10000, 145.0, 145.0},
                {"no file", folder.file("none"), 25544, 145.0, 145.0},
                {"no folder", "", 25544, 145.0, 145.0},
                {"the rest of a long header", pieces.path(), 25544, 100.0, 200.0},
                {"a piece of a long line", pieces.path(), 43017, Single(145.960), Single(435.250)}};
    for (const auto& row : rows) {
        EXPECT_EQ(Links(row.folder, row.number), std::make_pair(row.downlink, row.uplink)) << row.source;
    }
    const auto [downlink, uplink] = Links(VANTREK_RES_DIR, 25544);  // the shipped file
    EXPECT_NEAR(downlink, 145.800, 1e-4);
    EXPECT_NEAR(uplink, 145.990, 1e-4);
}

TEST(Doppler, RecedingSatelliteAndSignalDelay) {
    // 7 km/s away: 145.8 MHz * 7 / 299792.458 = 3404.36 Hz lower; 1000 km is 3.3356 ms.
    const DopplerText text = DopplerLines(1000.0, 7.0, 145.8, 437.8);
    EXPECT_EQ(text.downlink, "Downlink   145.79660MHz (-3404.36Hz)");
    EXPECT_EQ(text.uplink, "Uplink       437.81022MHz (10222.41Hz)");
    EXPECT_EQ(text.range, "Range 1000.0000 km Delay 3.3356 ms");
}

TEST(LocationsFile, NamesComeOnePerPieceOfAtMost39BytesFromAtMost1800Lines) {
    TemporaryFolder folder;
    const std::string path = folder.write("Cities.loc",
                                          "Kiel 54.3023 10.1247 30\n"
                                          "\n"
                                          "A_place_with_a_name_of_30_char 1.0 2.0 3\n"  // 41 bytes: two pieces
                                          "Far -33.868820 151.209295 58\n");
    std::vector<std::string> names;
    ASSERT_TRUE(readLocationNames(path, names));
    // A blank line keeps its row; names are cut to 20 characters; the rest of the long line is a row.
    EXPECT_EQ(names, (std::vector<std::string>{"Kiel", "", "A_place_with_a_name_", "3", "Far"}));
    LocationLine line;
    ASSERT_TRUE(readLocationLine(path, 5, line));
    EXPECT_EQ(line.name + " " + line.latitude + " " + line.longitude + " " + line.altitude,
              "Far -33.868 151.209 58");  // numbers cut to seven characters
    // Row 0, no words, one word, beyond the end.
    for (int row : {0, 2, 4, 6}) EXPECT_FALSE(readLocationLine(path, row, line)) << row;

    // The shipped file: every line one piece, Kiel first.
    const std::string shipped = std::string(VANTREK_RES_DIR) + "/Cities.loc";
    ASSERT_TRUE(readLocationNames(shipped, names));
    ASSERT_GE(names.size(), 30u);
    EXPECT_EQ(names[0], "Kiel");
    for (int row = 1; row <= static_cast<int>(names.size()); ++row) {
        ASSERT_TRUE(readLocationLine(shipped, row, line)) << "line " << row;
        EXPECT_EQ(line.name, names[row - 1]);
    }

    // At most 1800 lines are read; a missing file leaves no names.
    std::string text;
    for (int i = 1; i <= 2000; ++i) text += "P" + std::to_string(i) + " 1 2 3\n";
    const std::string many = folder.write("Many.loc", text);
    ASSERT_TRUE(readLocationNames(many, names));
    EXPECT_EQ(names.size(), 1800u);
    EXPECT_TRUE(readLocationLine(many, 1800, line));
    EXPECT_FALSE(readLocationLine(many, 1801, line));
    EXPECT_FALSE(readLocationNames(folder.file("none.loc"), names));
    EXPECT_TRUE(names.empty());
}
