#pragma once

// Shared by the test suites that run vantrek-cli (header only: this folder
// builds no test executable of its own).
#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace vantrek::testing {

// Runs vantrek-cli with the given arguments (a shell command line); returns
// its exit status and what it wrote to standard output and standard error.
inline int RunCli(const std::string& args, std::string& output) {
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

}  // namespace vantrek::testing
