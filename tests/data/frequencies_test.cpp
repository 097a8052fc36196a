#include "data/frequencies.hpp"

#include <gtest/gtest.h>

#include "data/doppler.hpp"
#include "platform/temporary_folder.hpp"

using namespace vantrek;

namespace {

Settings lookUp(const TemporaryFolder& folder, int32_t number) {
    Settings settings;
    LoadFrequencies(ProgramFolder{folder.path()}, number, settings);
    return settings;
}

}  // namespace

TEST(Frequencies, DownlinkComesBeforeUplinkAndUnknownNumbersGet145) {
    TemporaryFolder folder;
    folder.write("Frequencies.txt", "Cat Down Up\r\n25544 145.800 437.800\r\n");
    Settings iss = lookUp(folder, 25544);
    EXPECT_DOUBLE_EQ(iss.downlink, static_cast<double>(145.800f));
    EXPECT_DOUBLE_EQ(iss.uplink, static_cast<double>(437.800f));
    Settings other = lookUp(folder, 12345);
    EXPECT_EQ(other.downlink, 145.0);
    EXPECT_EQ(other.uplink, 145.0);

    // Without the file (or a known folder) values typed before are replaced too.
    other.uplink = other.downlink = 1.0;
    LoadFrequencies(ProgramFolder{}, 25544, other);
    EXPECT_EQ(other.uplink, 145.0);
    EXPECT_EQ(other.downlink, 145.0);
}

TEST(Frequencies, LastMatchingLineWins) {
    TemporaryFolder folder;
    folder.write("Frequencies.txt", "header\n25544 145.800 437.800\nnot a line\n25544 145.825 145.825\n");
    Settings settings = lookUp(folder, 25544);
    EXPECT_DOUBLE_EQ(settings.downlink, static_cast<double>(145.825f));
    EXPECT_DOUBLE_EQ(settings.uplink, static_cast<double>(145.825f));
}

TEST(Frequencies, LinesAreReadInFixedPieces) {
    TemporaryFolder folder;
    // The header buffer takes 19 characters; the rest of a longer header is
    // read as the next line. A data line of more than 29 characters is read in
    // pieces, and a piece that looks like a line counts.
    folder.write("Frequencies.txt",
                 "Frequency table v2 25544 100.0 200.0\n"
                 "99999 1.0 2.0                43017 145.960 435.250\n");
    Settings iss = lookUp(folder, 25544);
    EXPECT_EQ(iss.downlink, 100.0);
    EXPECT_EQ(iss.uplink, 200.0);
    Settings ao91 = lookUp(folder, 43017);
    EXPECT_DOUBLE_EQ(ao91.downlink, static_cast<double>(145.960f));
}

TEST(Frequencies, ShippedFileHasTheIssFrequencies) {
    Settings settings;
    LoadFrequencies(ProgramFolder{VANTREK_RES_DIR}, 25544, settings);
    EXPECT_NEAR(settings.downlink, 145.800, 1e-4);
    EXPECT_NEAR(settings.uplink, 145.990, 1e-4);
}

TEST(Doppler, RecedingSatelliteAndSignalDelay) {
    const DopplerShift shift = computeDoppler(1000.0, 7.0, 145.8, 437.8);
    EXPECT_NEAR(shift.receivedDownlink, 145.79660, 5e-6);
    EXPECT_NEAR(shift.downlinkShift, -3404.355, 1e-2);
    EXPECT_NEAR(shift.transmitUplink, 437.81022, 5e-6);
    EXPECT_NEAR(shift.uplinkShift, 10222.405, 1e-2);
    EXPECT_NEAR(shift.delay, 3.3356, 5e-5);

    const DopplerText text = DopplerLines(1000.0, 7.0, 145.8, 437.8);
    EXPECT_EQ(text.downlink, "Downlink   145.79660MHz (-3404.36Hz)");
    EXPECT_EQ(text.uplink, "Uplink       437.81022MHz (10222.41Hz)");
    EXPECT_EQ(text.range, "Range 1000.0000 km Delay 3.3356 ms");
}
