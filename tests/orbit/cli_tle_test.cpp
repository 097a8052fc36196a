#include <cstdio>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

namespace {

// Runs vantrek-cli with the given arguments; returns its exit status and output.
int runCli(const std::string& args, std::string& output) {
    const std::string command = std::string(VANTREK_BIN_DIR) + "/vantrek-cli " + args + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return -1;
    char buffer[4096];
    output.clear();
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

TEST(CliTle, ListsTheSampleFile) {
    std::string out;
    ASSERT_EQ(runCli(std::string("tle ") + VANTREK_RES_DIR + "/TLE/sample.tle", out), 0) << out;
    EXPECT_NE(out.find("0\t25544\t2454730.01782528\tISS (ZARYA)\n"), std::string::npos) << out;
    EXPECT_NE(out.find("1\t88888\t"), std::string::npos);
    EXPECT_NE(out.find("count 8\n"), std::string::npos) << out;
}

TEST(CliTle, MissingFileExitsWithStatus2) {
    std::string out;
    EXPECT_EQ(runCli("tle /nonexistent/file.tle", out), 2);
    EXPECT_NE(out.find("cannot open"), std::string::npos);
    EXPECT_EQ(runCli("tle", out), 2);
}
