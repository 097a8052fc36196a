#pragma once

// Shared by the test suites that run vantrek-cli (header only: this folder
// builds no test executable of its own).
#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace vantrek::testing {

// Runs vantrek-cli with a shell command line of arguments (which may redirect
// its standard error); returns its exit status and fills `output` with its
// standard output.
inline int RunCliRaw(const std::string& args, std::string& output) {
    const std::string command = std::string(VANTREK_BIN_DIR) + "/vantrek-cli " + args;
    FILE* pipe = popen(command.c_str(), "r");
    output.clear();
    if (!pipe) return -1;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The same with standard error folded into `output`.
inline int RunCli(const std::string& args, std::string& output) {
    return RunCliRaw(args + " 2>&1", output);
}

}  // namespace vantrek::testing
