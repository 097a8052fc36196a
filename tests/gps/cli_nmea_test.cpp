#include <fstream>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "../support/run_cli.hpp"
#include "gps_test_support.hpp"

using vantrek::testing::RunCli;

// The final fix of each capture (the one on standard input) holds the fields
// listed in tests/data/gps/<capture>.fix.
TEST(CliNmea, PrintsTheFinalFixOfEachCapture) {
    const std::pair<std::string, const char*> captures[] = {
        {"- < " + std::string(VANTREK_REFERENCE_DATA_DIR) + "/nmea/haicom-305N.log", "haicom-305N"},
        {vantrek::testing::kMultiConstellationCapture, "multi-constellation"}};
    for (const auto& [args, name] : captures) {
        SCOPED_TRACE(name);
        std::string out;
        ASSERT_EQ(RunCli("nmea " + args, out), 0) << out;
        std::ifstream expected(std::string(VANTREK_TESTS_DIR) + "/data/gps/" + name + ".fix");
        int fields = 0;
        for (std::string line; std::getline(expected, line);) {
            if (line.empty() || line[0] == '#') continue;
            EXPECT_NE(("\n" + out).find("\n" + line + "\n"), std::string::npos) << line << "\n" << out;
            ++fields;
        }
        EXPECT_GE(fields, 7);
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
