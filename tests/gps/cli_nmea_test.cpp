#include <string>

#include <gtest/gtest.h>

#include "../support/run_cli.hpp"

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

TEST(CliNmea, BadArgumentsMissingInputAndADeadDevice) {
    std::string out;
    EXPECT_EQ(RunCli("nmea /nonexistent/capture.log", out), 2);
    EXPECT_NE(out.find("cannot open"), std::string::npos);
    EXPECT_EQ(RunCli("nmea", out), 2);
    EXPECT_EQ(RunCli("nmea --device /dev/null --baud fast --seconds 1", out), 2);
    EXPECT_EQ(RunCli("nmea --device /nonexistent/ttyGPS --baud 4800 --seconds 5", out), 2);
    EXPECT_NE(out.find("I can't conect to the COM port!"), std::string::npos) << out;
}
