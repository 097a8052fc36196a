#include "data/frequencies.hpp"

#include <gtest/gtest.h>

#include "data/doppler.hpp"
#include "platform/temporary_folder.hpp"

using namespace vantrek;

namespace {

// Values typed before are always replaced.
Settings lookUp(const std::string& folder, int32_t number) {
    Settings settings;
    settings.uplink = settings.downlink = 1.0;
    LoadFrequencies(ProgramFolder{folder}, number, settings);
    return settings;
}

}  // namespace

// Downlink before uplink; the last matching line wins; an unknown number, a
// missing file or an unknown folder give 145 MHz both ways. Numbers past
// 99999 are read whole: cut to five digits, 100001 would match 10000 and
// 255440 would give 25544 a downlink of 1.
TEST(Frequencies, LastMatchingLineWinsAndUnknownNumbersGet145) {
    TemporaryFolder folder;
    folder.write("Frequencies.txt", "Cat Down Up\r\n25544 145.800 437.800\nnot a line\n25544 145.825 435.250\n"
                                    "100001 145.825 435.100\n255440 1.0 2.0\n");
    Settings iss = lookUp(folder.path(), 25544);
    EXPECT_DOUBLE_EQ(iss.downlink, static_cast<double>(145.825f));
    EXPECT_DOUBLE_EQ(iss.uplink, static_cast<double>(435.250f));
    EXPECT_DOUBLE_EQ(lookUp(folder.path(), 100001).uplink, static_cast<double>(435.100f));
    for (const Settings& other : {lookUp(folder.path(), 12345), lookUp(folder.path(), 10000),
                                  lookUp(folder.file("none"), 25544), lookUp("", 25544)}) {
        EXPECT_EQ(other.downlink, 145.0);
        EXPECT_EQ(other.uplink, 145.0);
    }
}

TEST(Frequencies, LinesAreReadInFixedPieces) {
    TemporaryFolder folder;
    // The header buffer takes 19 characters; the rest of a longer header is
    // read as the next line. A data line of more than 29 characters is read in
    // pieces, and a piece that looks like a line counts.
    folder.write("Frequencies.txt",
                 "Frequency table v2 25544 100.0 200.0\n"
                 "99999 1.0 2.0                43017 145.960 435.250\n");
    Settings iss = lookUp(folder.path(), 25544);
    EXPECT_EQ(iss.downlink, 100.0);
    EXPECT_EQ(iss.uplink, 200.0);
    EXPECT_DOUBLE_EQ(lookUp(folder.path(), 43017).downlink, static_cast<double>(145.960f));
}

TEST(Frequencies, ShippedFileHasTheIssFrequencies) {
    const Settings settings = lookUp(VANTREK_RES_DIR, 25544);
    EXPECT_NEAR(settings.downlink, 145.800, 1e-4);
    EXPECT_NEAR(settings.uplink, 145.990, 1e-4);
}

TEST(Doppler, RecedingSatelliteAndSignalDelay) {
    // The lines carry every figure of computeDoppler to its printed precision.
    const DopplerText text = DopplerLines(1000.0, 7.0, 145.8, 437.8);
    EXPECT_EQ(text.downlink, "Downlink   145.79660MHz (-3404.36Hz)");
    EXPECT_EQ(text.uplink, "Uplink       437.81022MHz (10222.41Hz)");
    EXPECT_EQ(text.range, "Range 1000.0000 km Delay 3.3356 ms");
}
