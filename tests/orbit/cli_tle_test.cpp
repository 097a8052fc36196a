#include <string>

#include <gtest/gtest.h>

#include "../support/run_cli.hpp"

using vantrek::testing::RunCli;

TEST(CliTle, ListsTheSampleFile) {
    std::string out;
    ASSERT_EQ(RunCli(std::string("tle ") + VANTREK_RES_DIR + "/TLE/sample.tle", out), 0) << out;
    EXPECT_NE(out.find("0\t25544\t2454730.01782528\tISS (ZARYA)\n"), std::string::npos) << out;
    EXPECT_NE(out.find("1\t88888\t"), std::string::npos);
    EXPECT_NE(out.find("count 8\n"), std::string::npos) << out;
}

TEST(CliTle, MissingFileExitsWithStatus2) {
    std::string out;
    EXPECT_EQ(RunCli("tle /nonexistent/file.tle", out), 2);
    EXPECT_NE(out.find("cannot open"), std::string::npos);
    EXPECT_EQ(RunCli("tle", out), 2);
}
