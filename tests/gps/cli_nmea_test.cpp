#include <unistd.h>

#include <string>

#include <gtest/gtest.h>

#include "../support/run_cli.hpp"
#include "gps_test_support.hpp"

using vantrek::testing::RunCli;
using vantrek::testing::Sentence;

TEST(CliNmea, PrintsTheFinalFixOfACaptureInFieldOrder) {
    std::string out;
    ASSERT_EQ(RunCli(std::string("nmea ") + VANTREK_SHARED_DATA_DIR + "/nmea/haicom-305N.log", out), 0) << out;
    std::string keys;
    for (std::size_t at = 0; at < out.size(); at = out.find('\n', at) + 1) keys += out.substr(at, out.find('=', at) - at) + " ";
    EXPECT_EQ(keys,
              "latitudeDeg longitudeDeg altitudeM speedKmh utcHour utcMinute utcSecond utcHundredths utcDay "
              "utcMonth utcYear courseDeg satellitesInView satellitesUsed fixQuality geoidSeparationM pdop "
              "hdop vdop fixMode usedPrn prn snrDb azimuthRad elevationRad accepted rejected ");
    for (const char* line : {"latitudeDeg=-27.210673\n", "speedKmh=3.907720\n", "utcHundredths=78\n",
                             "utcYear=2007\n", "usedPrn=2,5,7,10,12,21,24,30,0,0,0,0,0,0,0,0\n",
                             "accepted=325\nrejected=0\n"}) {
        EXPECT_NE(out.find(line), std::string::npos) << line << out;
    }
}

TEST(CliNmea, ReadsStandardInputAndCountsRejections) {
    const std::string input = Sentence("GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,") +
                              "$GPGGA,123519,4807.038,N*00\r\n" + Sentence("GPGLL,1,N");
    char path[] = "/tmp/vantrek-nmea-XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(write(fd, input.data(), input.size()), static_cast<ssize_t>(input.size()));
    close(fd);
    std::string out;
    const int status = RunCli(std::string("nmea - < ") + path, out);
    unlink(path);
    ASSERT_EQ(status, 0) << out;
    EXPECT_NE(out.find("latitudeDeg=48.117300\n"), std::string::npos) << out;
    EXPECT_NE(out.find("accepted=1\nrejected=2\n"), std::string::npos) << out;
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
