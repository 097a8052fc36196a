#include <string>

#include <gtest/gtest.h>

#include "../support/run_cli.hpp"
#include "gps_test_support.hpp"

using vantrek::testing::RunCli;

TEST(CliNmea, PrintsTheFinalFixOfACaptureOnStandardInput) {
    std::string out;
    ASSERT_EQ(RunCli(std::string("nmea - < ") + VANTREK_REFERENCE_DATA_DIR + "/nmea/haicom-305N.log", out), 0) << out;
    for (const char* line : {"latitudeDeg=-27.210673\n", "speedKmh=3.907720\n", "utcHundredths=78\n",
                             "utcYear=2007\n", "usedPrn=2,5,7,10,12,21,24,30,0,0,0,0,0,0,0,0\n",
                             "accepted=325\nrejected=0\n"}) {
        EXPECT_NE(out.find(line), std::string::npos) << line << out;
    }
}

// Position, time and speed from the GN talker, fix mode 3, the used lists of
// both GSA sentences joined, GPS in the first slots and GLONASS after it up to
// slot 15 (the 17th satellite, PRN 88, has no slot).
TEST(CliNmea, AMultiConstellationReceiverGivesAFullFix) {
    std::string out;
    ASSERT_EQ(RunCli("nmea " + vantrek::testing::kMultiConstellationCapture, out), 0) << out;
    for (const char* line : {"latitudeDeg=48.117301\n", "longitudeDeg=11.525002\n", "speedKmh=1.509000\n",
                             "utcSecond=14\n", "utcYear=2026\n", "fixMode=3\n", "satellitesInView=17\n",
                             "vdop=1.340000\n", "usedPrn=2,5,12,13,15,18,20,25,29,65,66,72,73,80,0,0\n",
                             "prn=2,5,12,13,15,18,20,25,29,31,65,66,72,73,80,81\n",
                             "snrDb=38,42,30,44,36,22,40,33,25,0,35,39,31,41,27,29\n",
                             "accepted=50\nrejected=10\n"}) {
        EXPECT_NE(out.find(line), std::string::npos) << line << out;
    }
}

TEST(CliNmea, BadArgumentsMissingInputAndADeadDevice) {
    std::string out;
    EXPECT_EQ(RunCli("nmea /nonexistent/capture.log", out), 2);
    EXPECT_NE(out.find("cannot open"), std::string::npos);
    EXPECT_EQ(RunCli("nmea", out), 2);
    EXPECT_EQ(RunCli("nmea --device /dev/null --baud fast --seconds 1", out), 2);
    EXPECT_EQ(RunCli("nmea --device /nonexistent/ttyGPS --baud 4800 --seconds 5", out), 2);
    EXPECT_NE(out.find("I can't conect to the COM port!"), std::string::npos) << out;
}
